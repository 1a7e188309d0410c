// Failures in the operator's words: the reason lines a call left in the module's log, a hint for the
// texts the module really sends, and nothing from outside that could steer the terminal.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/probe/diagnosis.h"
#include "tools/probe/module_log.h"

namespace {

using namespace orvane::tessel::probe;

constexpr const char* generic =
    "An error occurred. For more information, select 'Store result' under Debug Options | Result Handling "
    "in the sensor settings, rescan, and check the \\Logs\\sensors subfolder of the Halden data directory on "
    "the probe system. ";

TEST(Diagnosis, HintsMatchWhatTheModuleSaysForEachCause) {
    struct hint_case {
        std::string failure;
        const char* hint;  // a part of the expected hint; empty: none
    } const cases[] = {
        {std::string(generic) + "SignatureDoesNotMatch: The request signature we calculated does not match",
         "secret key does not belong"},
        {std::string(generic) +
             "AuthFailure: Unable to parse ExceptionName: AuthFailure Message: AWS was not able "
             "to validate the provided access credentials",
         "did not accept the credentials"},
        {"#:error.authentication_failed[The security token included in the request is invalid.]",
         "region is not enabled"},
        {std::string(generic) + ": curlCode: 7, Couldn't connect to server", "could not be reached"},
        {std::string(generic) + ": curlCode: 6, Couldn't resolve host name", "could not be reached"},
        {"#:error.no_regions_accessible[]", "Every region refused"},
        {"#:error.access_denied[User: arn:aws:iam::1:user/x is not authorized]", "lack a permission"},
        {"#:error.unauthorized_operation[]", "lack a permission"},
        {"#:error.no_datapoints_found[]", "no data for this resource"},
        {"#:error.limit_exceeded[]", "throttled"},
        {std::string(generic) + "Throttling: Rate exceeded", "throttled"},
        {"#:error.data_unavailable[]", "Cost Explorer has no data"},
        {"Creating sensor 1 of kind \"ec2_sensor\" failed: The setting \"x.y.z\" was not available.",
         "setting is missing or invalid"},
        {"Value \"ipv4\" could not be parsed into selection type \"ipversion\".",
         "setting is missing or invalid"},
        {"#:error.unknown_loadbalancer_type[gateway]", "type setting"},
        {"OK", ""},
        {"", ""},
    };
    for (const auto& test : cases) {
        const auto hint = hint_for(test.failure);
        if (*test.hint == '\0') {
            EXPECT_EQ(hint, "") << test.failure;
        } else {
            EXPECT_NE(hint.find(test.hint), std::string::npos) << test.failure << "\n -> " << hint;
        }
    }
}

TEST(Diagnosis, ReasonsAreTheFailureThatEndedTheCallElseItsErrorLines) {
    const std::vector<log_entry> check{{7, "### Begin x ###"},
                                       {7, "{\"kind\":\"ec2_check\"}"},
                                       {7, "EC2 error: AWS was not able to validate"},
                                       {0, "An error occurred. AuthFailure"},
                                       {7, "### End   x ###"}};
    EXPECT_EQ(reasons(check), std::vector<std::string>{"An error occurred. AuthFailure"});

    const std::vector<log_entry> create{{7, "### Begin x ###"},
                                        {7, "{\"kind\":\"ec2_sensor\",\"settings\":{\"error\":\"failed\"}}"},
                                        {7, "Creating sensor 1 of kind \"ec2_sensor\" failed: The setting"},
                                        {7, "### End   x ### error failed"}};
    EXPECT_EQ(reasons(create),
              std::vector<std::string>{"Creating sensor 1 of kind \"ec2_sensor\" failed: The setting"});

    const std::vector<log_entry> quiet{{7, "Initialize: ec2_check version is: 0.87.0.17330"},
                                       {7, "Getting a list of all available AWS regions."}};
    EXPECT_TRUE(reasons(quiet).empty());
}

TEST(Diagnosis, PrintableLinesCannotSteerTheTerminal) {
    struct line_case {
        std::string raw;
        std::string shown;
    } const cases[] = {
        {"plain", "plain"},
        {"first\nsecond", "first\\nsecond"},
        {"\x1b[2J\x1b]0;title\x07", "\\u001b[2J\\u001b]0;title\\u0007"},
        {"tab\there\r", "tab\\there\\r"},
        {"C1 \xc2\x9b"
         "31m",
         "C1 \\u009b31m"},
        {"S\xc3\xa3o Paulo \xc2\xa0", "S\xc3\xa3o Paulo \xc2\xa0"},
        {std::string("nul\0byte", 8), "nul\\u0000byte"},
        {"del\x7f", "del\\u007f"},
        {"not utf-8 \xff", "not utf-8 \xef\xbf\xbd"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(printable_line(test.raw), test.shown);
    }
}

TEST(ModuleLog, EntriesSpanTheLinesAfterTheirStamp) {
    const auto entries = parse_log(
        "left from an earlier run\n"
        "2026-12-05 16:59:52.123 [7] ### Begin x ###\n"
        "2026-12-05 16:59:52.124 [0] SignatureDoesNotMatch: The Canonical String should have been\n"
        "'POST\n"
        "/'\n"
        "2026-12-05 16:59:52.125 [12] two digits\n"
        "2026-12-05 16:59:52.125 [x] not a level\n"
        "2026-12-05 16:59:52 [7] no milliseconds\n"
        "2026-12-05 16:59:52.126 [6]no blank\n");
    ASSERT_EQ(entries.size(), 3U);
    EXPECT_EQ(entries[0].level, 7);
    EXPECT_EQ(entries[0].text, "### Begin x ###");
    EXPECT_EQ(entries[1].level, 0);
    EXPECT_EQ(entries[1].text, "SignatureDoesNotMatch: The Canonical String should have been\n'POST\n/'");
    EXPECT_EQ(entries[2].level, 12);
    EXPECT_EQ(entries[2].text,
              "two digits\n2026-12-05 16:59:52.125 [x] not a level\n2026-12-05 16:59:52 [7] no milliseconds\n"
              "2026-12-05 16:59:52.126 [6]no blank");
}

TEST(ModuleLog, ReadsWhatWasWrittenSinceTheMark) {
    const private_folder scratch;
    const auto file = scratch.path() / "vexa_aws.log";
    module_log log(file);
    log.mark();
    EXPECT_TRUE(log.since_mark().empty()) << "no file yet";
    std::ofstream(file) << "2026-12-05 16:59:52.123 [7] before\n";
    log.mark();
    std::ofstream(file, std::ios::app) << "2026-12-05 16:59:52.124 [0] after\n";
    const auto entries = log.since_mark();
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].text, "after");
}

TEST(ModuleLog, ThePrivateFolderIsTheProbesAloneAndGoesWithIt) {
    std::filesystem::path path;
    {
        const private_folder scratch;
        path = scratch.path();
        std::ofstream(path / "file") << "x";
#ifndef _WIN32  // Windows keeps the folder private through the ACL of the user's temporary folder
        const auto permissions = std::filesystem::status(path).permissions();
        EXPECT_EQ(permissions & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
                  std::filesystem::perms::none);
#endif
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
