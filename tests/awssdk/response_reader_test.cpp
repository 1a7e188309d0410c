#include "core/response_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>

namespace {

using Aws::Internal::HttpResponse;
using Aws::Internal::ResponseReader;
using State = ResponseReader::State;

struct ReaderCase {
    const char* name;
    std::string wire;
    bool peerCloses;  // the connection ends after the bytes
    State state;
    long status;
    std::string body;
    bool keepAlive;
    int failure;  // curl code
};

void PrintTo(const ReaderCase& c, std::ostream* os) {
    *os << c.name;
}

std::string Head(const std::string& lines) {
    return "HTTP/1.1 200 OK\r\n" + lines + "\r\n";
}

// Every case is read twice: in one piece and one byte at a time, as a slow network delivers it.
class Reading : public ::testing::TestWithParam<std::tuple<ReaderCase, bool>> {};

TEST_P(Reading, EndsAsTheBytesSay) {
    const auto& [c, byteByByte] = GetParam();
    HttpResponse response;
    ResponseReader reader(response);
    State state = State::Reading;
    if (byteByByte) {
        for (size_t i = 0; i < c.wire.size(); ++i) {
            state = reader.Feed(std::string_view(c.wire).substr(i, 1));
        }
    } else {
        state = reader.Feed(c.wire);
    }
    if (c.peerCloses) {
        state = reader.End();
    }
    ASSERT_EQ(state, c.state);
    EXPECT_EQ(reader.FailureCode(), c.failure);
    EXPECT_EQ(response.status, c.status);
    EXPECT_EQ(response.body, c.body);
    EXPECT_EQ(reader.KeepAlive(), c.keepAlive);
    if (c.state == State::Failed) {
        EXPECT_TRUE(response.headers.empty());
    }
}

std::string BigHeader() {
    return "X-Big: " + std::string(ResponseReader::kMaxHead, 'a') + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Responses, Reading,
    ::testing::Combine(
        ::testing::Values(
            ReaderCase{"ContentLength", Head("Content-Length: 5\r\n") + "hello", false, State::Done, 200,
                       "hello", true, 0},
            ReaderCase{"ChunksWithExtensionAndTrailer",
                       Head("Transfer-Encoding: chunked\r\n") +
                           "5;name=v\r\nhello\r\nA\r\n big world\r\n0\r\nX-Trailer: 1\r\n\r\n",
                       false, State::Done, 200, "hello big world", true, 0},
            ReaderCase{"InterimContinueIsSkipped",
                       "HTTP/1.1 100 Continue\r\nX-Interim: 1\r\n\r\n" + Head("Content-Length: 2\r\n") + "ok",
                       false, State::Done, 200, "ok", true, 0},
            ReaderCase{"ConnectionCloseIsNotReused", Head("Connection: close\r\nContent-Length: 0\r\n"),
                       false, State::Done, 200, "", false, 0},
            ReaderCase{"Http10ClosesUnlessAskedToKeep", "HTTP/1.0 200 OK\r\nContent-Length: 1\r\n\r\nx",
                       false, State::Done, 200, "x", false, 0},
            ReaderCase{"Http10KeepAlive",
                       "HTTP/1.0 200 OK\r\nConnection: Keep-Alive\r\nContent-Length: 1\r\n\r\nx", false,
                       State::Done, 200, "x", true, 0},
            ReaderCase{"BareLineFeeds", "HTTP/1.1 503 Slow Down\nContent-Length: 3\n\nerr", false,
                       State::Done, 503, "err", true, 0},
            ReaderCase{"NoContentHasNoBody", "HTTP/1.1 204 No Content\r\n\r\n", false, State::Done, 204, "",
                       true, 0},
            ReaderCase{"BodyUntilTheEnd", Head("") + "all of it", true, State::Done, 200, "all of it", false,
                       0},
            ReaderCase{"BodyUntilTheEndStillOpen", Head("") + "some", false, State::Reading, 200, "some",
                       false, 0},
            ReaderCase{"HugeLengthIsReadNotReserved", Head("Content-Length: 999999999999999999\r\n") + "x",
                       false, State::Reading, 200, "x", false, 0},
            ReaderCase{"BytesAfterTheResponse", Head("Content-Length: 1\r\n") + "xHTTP/1.1", false,
                       State::Done, 200, "x", false, 0},
            // Cut short, or not HTTP at all: libcurl's codes for the same.
            ReaderCase{"NothingAtAll", "", true, State::Failed, -1, "", false, 52},
            ReaderCase{"BodyCutShort", Head("Content-Length: 10\r\n") + "12345", true, State::Failed, -1, "",
                       false, 18},
            ReaderCase{"HeadCutShort", "HTTP/1.1 200 OK\r\nContent-Le", true, State::Failed, -1, "", false,
                       18},
            ReaderCase{"ChunksCutShort", Head("Transfer-Encoding: chunked\r\n") + "5\r\nhel", true,
                       State::Failed, -1, "", false, 18},
            ReaderCase{"ForeignProtocol", "SSH-2.0-OpenSSH_9.2\r\n", false, State::Failed, -1, "", false, 8},
            ReaderCase{"TwoDigitStatus", "HTTP/1.1 20 OK\r\n\r\n", false, State::Failed, -1, "", false, 8},
            ReaderCase{"SwitchingProtocols", "HTTP/1.1 101 Switching\r\n\r\n", false, State::Failed, -1, "",
                       false, 8},
            ReaderCase{"HeaderWithoutName", Head(": x\r\n"), false, State::Failed, -1, "", false, 8},
            ReaderCase{"ConflictingLengths", Head("Content-Length: 1\r\nContent-Length: 2\r\n"), false,
                       State::Failed, -1, "", false, 8},
            ReaderCase{"SignedLength", Head("Content-Length: -1\r\n"), false, State::Failed, -1, "", false,
                       8},
            ReaderCase{"HeadTooLong", Head(BigHeader()), false, State::Failed, -1, "", false, 8},
            ReaderCase{"ChunkSizeNotHex", Head("Transfer-Encoding: chunked\r\n") + "zz\r\n", false,
                       State::Failed, -1, "", false, 56},
            ReaderCase{"ChunkSizeOverflows", Head("Transfer-Encoding: chunked\r\n") + "1000000000000000\r\n",
                       false, State::Failed, -1, "", false, 56},
            ReaderCase{"ChunkWithoutItsLineEnd", Head("Transfer-Encoding: chunked\r\n") + "1\r\nxy\r\n",
                       false, State::Failed, -1, "", false, 56}),
        ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "_ByteByByte" : "_Whole");
    });

TEST(ResponseReader, KeepsHeadersOfTheFinalAnswerLowerCased) {
    HttpResponse response;
    ResponseReader reader(response);
    const std::string wire = "HTTP/1.1 100 Continue\r\nX-Interim: 1\r\n\r\n" +
                             Head("X-Amzn-RequestId:  abc \r\nContent-Length: 0\r\n");
    ASSERT_EQ(reader.Feed(wire), State::Done);
    EXPECT_EQ(response.headers.count("x-interim"), 0U);
    EXPECT_EQ(response.headers.at("x-amzn-requestid"), "abc");
}

}  // namespace
