// The user guide's table of error messages has one row for every error message key the code can send,
// and no other row, so that no message reaches an operator unexplained.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "framework/texts.h"
#include "host/texts.h"
#include "libs/i18n/texts.h"

namespace {

using namespace orvane::tessel;

std::set<std::string> error_keys_of_the_code() {
    std::set<std::string> keys{std::string(libi18n::texts::generic.key)};
    for (const auto& text : aws::texts::all) {
        keys.emplace(text.key);
    }
    for (const auto& text : libvexahelper::texts::all) {
        keys.emplace(text.key);
    }
    std::erase_if(keys, [](const std::string& key) { return key.find("error.") == std::string::npos; });
    return keys;
}

// The first column of every row of the table under "## Error messages".
std::set<std::string> keys_of_the_guide() {
    std::ifstream file(VEXA_USER_GUIDE);
    std::set<std::string> keys;
    bool in_section = false;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with("## ")) {
            in_section = line == "## Error messages";
        } else if (in_section && line.starts_with("| `")) {
            const auto end = line.find('`', 3);
            keys.insert(line.substr(3, end - 3));
        }
    }
    return keys;
}

TEST(UserGuide, ExplainsEveryErrorMessageKeyTheCodeCanSend) {
    const auto code = error_keys_of_the_code();
    const auto guide = keys_of_the_guide();
    ASSERT_FALSE(guide.empty()) << "no error table found in " << VEXA_USER_GUIDE;
    for (const auto& key : code) {
        EXPECT_TRUE(guide.contains(key)) << key << " is not explained in the user guide";
    }
    for (const auto& key : guide) {
        EXPECT_TRUE(code.contains(key)) << key << " is in the user guide but the code cannot send it";
    }
}

}  // namespace
