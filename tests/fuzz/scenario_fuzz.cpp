// Scenario files as users write them, and worse: the reader either gives a scenario or one
// scenario_error whose text is one line of valid UTF-8; nothing else escapes it.
#include <cstdint>
#include <string_view>

#include "aws_emulator/emulator.hpp"
#include "tests/fuzz/fuzz_support.h"

namespace fuzz = orvane::tessel::fuzz;
namespace emu = orvane::tessel::emulator;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        static_cast<void>(emu::scenario::from_json(text));
    } catch (const emu::scenario_error& error) {
        fuzz::require_log_line(error.what());
    }
    try {
        static_cast<void>(emu::parse_fault(text));
    } catch (const emu::scenario_error& error) {
        fuzz::require_log_line(error.what());
    }
    return 0;
}
