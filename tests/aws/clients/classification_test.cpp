#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "aws/clients/error_classification.h"
#include "framework/exceptions.h"
#include "tests/support/fake_host.h"

namespace {

using namespace orvane::tessel;
using aws::logger_ptr;

// What a classification produced: the message key (or "generic") and the encoded message.
struct verdict {
    std::string key;
    std::string encoded;
};

verdict of(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const aws::exceptions::unauthorized_operation& e) {
        return {"unauthorized_operation", e.message().encoded()};
    } catch (const aws::exceptions::authentication_failed& e) {
        return {"authentication_failed", e.message().encoded()};
    } catch (const aws::exceptions::access_denied& e) {
        return {"access_denied", e.message().encoded()};
    } catch (const aws::exceptions::data_unavailable& e) {
        return {"data_unavailable", e.message().encoded()};
    } catch (const aws::exceptions::limit_exceeded& e) {
        return {"limit_exceeded", e.message().encoded()};
    } catch (const libi18n::error_generic& e) {
        return {"generic", e.message().encoded()};
    }
}

using classify_function =
    std::function<std::exception_ptr(int type, const std::string& name, const std::string& message,
                                     const logger_ptr&, const aws::secret_redactor&)>;

template <class Errors>
classify_function service(std::exception_ptr (*translate)(const Aws::Client::AWSError<Errors>&,
                                                          const logger_ptr&, const aws::secret_redactor&)) {
    return [translate](int type, const std::string& name, const std::string& message,
                       const logger_ptr& logger, const aws::secret_redactor& redactor) {
        return translate(Aws::Client::AWSError<Errors>(static_cast<Errors>(type), name, message, false),
                         logger, redactor);
    };
}

struct service_case {
    const char* name;
    classify_function classify;
    const char* prefix;
    bool is_cost_explorer;
};

void PrintTo(const service_case& c, std::ostream* os) {
    *os << c.name;
}

class Classification : public ::testing::TestWithParam<service_case> {};

// Each row: error type, the verdict for EC2/CloudWatch/ELB/RDS, the verdict for Cost Explorer.
struct row {
    int type;
    const char* regional;
    const char* cost_explorer;
};

constexpr row table[] = {
    {3, "authentication_failed", "generic"},                 // INVALID_CLIENT_TOKEN_ID
    {8, "authentication_failed", "authentication_failed"},   // MISSING_AUTHENTICATION_TOKEN
    {15, "access_denied", "access_denied"},                  // ACCESS_DENIED
    {17, "authentication_failed", "authentication_failed"},  // UNRECOGNIZED_CLIENT
    {21, "authentication_failed", "authentication_failed"},  // INVALID_SIGNATURE
    {23, "authentication_failed", "generic"},                // INVALID_ACCESS_KEY_ID
    // Cost Explorer's numbers moved between official releases: taken from the enumerators.
    {static_cast<int>(Aws::CostExplorer::CostExplorerErrors::DATA_UNAVAILABLE), "generic",
     "data_unavailable"},
    {static_cast<int>(Aws::CostExplorer::CostExplorerErrors::LIMIT_EXCEEDED), "generic", "limit_exceeded"},
    {13, "generic", "generic"},   // THROTTLING
    {22, "generic", "generic"},   // SIGNATURE_DOES_NOT_MATCH
    {11, "generic", "generic"},   // REQUEST_EXPIRED
    {100, "generic", "generic"},  // UNKNOWN
    {245, "generic", "generic"},  // EC2 INVALID_VOLUME__NOT_FOUND, pinned in awssdk/error_mapping_test
};

TEST_P(Classification, FollowsTheTableRowByRow) {
    const auto& c = GetParam();
    for (const auto& r : table) {
        const auto result = of(c.classify(r.type, "SomeCode", "detail", nullptr, {}));
        EXPECT_EQ(result.key, c.is_cost_explorer ? r.cost_explorer : r.regional) << "error type " << r.type;
    }
}

TEST_P(Classification, LogsThePrefixAndTheAwsMessageAtLevelSeven) {
    const auto& c = GetParam();
    auto book = std::make_shared<test_support::log_book>();
    const logger_ptr logger = std::make_shared<test_support::memory_log>(book);
    c.classify(15, "AccessDenied", "User is not authorized", logger, {});
    EXPECT_EQ(book->lines(),
              (std::vector<test_support::log_line>{{7, std::string(c.prefix) + "User is not authorized"}}));
}

TEST_P(Classification, ArgumentsCarryTheAwsMessageOrNameAndMessage) {
    const auto& c = GetParam();
    EXPECT_EQ(of(c.classify(15, "AccessDenied", "", nullptr, {})).encoded, "#:error.access_denied[]");
    EXPECT_EQ(of(c.classify(100, "Throttling", "Rate exceeded", nullptr, {})).encoded,
              "#:libi18n.error.generic[Throttling\\: Rate exceeded]");
    EXPECT_EQ(of(c.classify(100, "", "", nullptr, {})).encoded, "#:libi18n.error.generic[\\: ]");
}

// A proxy or a service that echoes the request must not carry the secret key or the proxy
// password into the message or the log, in any of the forms they travel in.
TEST_P(Classification, SecretsEchoedInTheAwsTextsAreHidden) {
    const auto& c = GetParam();
    const aws::secret_redactor redactor("wJalr/K7+EXAMPLEKEY", "proxyuser", "pr0xy&pass");
    auto book = std::make_shared<test_support::log_book>();
    const logger_ptr logger = std::make_shared<test_support::memory_log>(book);
    const std::string echo =
        "key wJalr/K7+EXAMPLEKEY, form wJalr%2FK7%2BEXAMPLEKEY, basic cHJveHl1c2VyOnByMHh5JnBhc3M=, "
        "xml pr0xy&amp;pass";
    for (int type : {15, 100}) {
        const auto result = of(c.classify(type, "Echo wJalr/K7+EXAMPLEKEY", echo, logger, redactor));
        EXPECT_THAT(result.encoded, ::testing::Not(::testing::HasSubstr("EXAMPLEKEY")));
        EXPECT_THAT(result.encoded, ::testing::HasSubstr(R"(key ***\, form ***\, basic ***\, xml ***)"));
    }
    for (const auto& line : book->texts()) {
        EXPECT_THAT(line, ::testing::Not(::testing::AnyOf(::testing::HasSubstr("EXAMPLEKEY"),
                                                          ::testing::HasSubstr("pass"))));
    }
}

TEST_P(Classification, LongAwsTextsAreCutShort) {
    const auto& c = GetParam();
    const auto result = of(c.classify(15, std::string(500, 'N'), std::string(5000, 'm'), nullptr, {}));
    EXPECT_EQ(result.encoded, "#:error.access_denied[" + std::string(1024, 'm') + "\xE2\x80\xA6]");
    const auto other = of(c.classify(100, std::string(500, 'N'), "x", nullptr, {}));
    EXPECT_EQ(other.encoded, "#:libi18n.error.generic[" + std::string(128, 'N') + "\xE2\x80\xA6\\: x]");
}

TEST_P(Classification, UnauthorizedOperationIsFoundInsideAnyExceptionName) {
    const auto& c = GetParam();
    for (int type : {100, 129, 140}) {
        EXPECT_EQ(of(c.classify(type, "UnauthorizedOperation", "denied by SCP", nullptr, {})).encoded,
                  "#:error.unauthorized_operation[denied by SCP]");
        EXPECT_EQ(of(c.classify(type, "Client.UnauthorizedOperation.Extra", "x", nullptr, {})).key,
                  "unauthorized_operation");
        EXPECT_EQ(of(c.classify(type, "unauthorizedoperation", "x", nullptr, {})).key, "generic");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Services, Classification,
    ::testing::Values(service_case{"ec2", service(&aws::translate_ec2_error), "EC2 error: ", false},
                      service_case{"cloudwatch", service(&aws::translate_cloudwatch_error),
                                   "CloudWatch error: ", false},
                      service_case{"elb", service(&aws::translate_elb_error), "ELB error: ", false},
                      service_case{"rds", service(&aws::translate_rds_error), "RDS error: ", false},
                      service_case{"cost_explorer", service(&aws::translate_cost_explorer_error),
                                   "CostExplorer error: ", true}),
    [](const auto& info) { return info.param.name; });

}  // namespace
