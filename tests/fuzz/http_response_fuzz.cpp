// A response head and body from the network, read by the transport's own HTTP reader. The first byte
// chooses the size of the pieces the bytes arrive in: however a response is cut up, the reader must
// come to the same end as when it gets the bytes whole, and never hold more than it was given.
#include <cstdint>
#include <string_view>

#include "core/response_reader.h"
#include "tests/fuzz/fuzz_support.h"

namespace fuzz = orvane::tessel::fuzz;
using Aws::Internal::HttpResponse;
using Aws::Internal::ResponseReader;

namespace {

struct read_result {
    ResponseReader::State state;
    int failure;
    bool keep_alive;
    HttpResponse response;
};

read_result read(std::string_view wire, std::size_t piece, bool closes) {
    read_result result{};
    ResponseReader reader(result.response);
    for (std::size_t at = 0; at < wire.size(); at += piece) {
        reader.Feed(wire.substr(at, piece));
    }
    result.state = closes ? reader.End() : reader.GetState();
    result.failure = reader.FailureCode();
    result.keep_alive = reader.KeepAlive();
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t piece = 1 + data[0] % 16;
    const bool closes = (data[0] & 0x80) != 0;
    const std::string_view wire(reinterpret_cast<const char*>(data) + 1, size - 1);
    const read_result whole = read(wire, wire.size() + 1, closes);
    const read_result pieces = read(wire, piece, closes);
    if (whole.state != pieces.state || whole.failure != pieces.failure ||
        whole.keep_alive != pieces.keep_alive || whole.response.status != pieces.response.status ||
        whole.response.body != pieces.response.body || whole.response.headers != pieces.response.headers) {
        fuzz::fail("the same bytes in pieces read differently", wire);
    }
    if (whole.response.body.size() > wire.size()) {
        fuzz::fail("a body longer than what arrived", wire);
    }
    if ((whole.state == ResponseReader::State::Failed) != (whole.failure != 0)) {
        fuzz::fail("a failure without its code, or a code without a failure", wire);
    }
    return 0;
}
