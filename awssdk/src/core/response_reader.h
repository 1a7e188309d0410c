#pragma once

#include "core/http.h"

#include <cstdint>
#include <string_view>

namespace Aws {
namespace Internal {

// Reads one HTTP/1.x response from the bytes of a connection, in whatever pieces they arrive, into
// an HttpResponse: interim 1xx answers skipped, the body by Content-Length, chunks or the end of the
// connection. Everything it reads comes from the network: sizes are checked before they are used and
// nothing it reads is ever reserved whole.
class ResponseReader {
public:
    enum class State { Reading, Done, Failed };

    explicit ResponseReader(HttpResponse& response) : m_response(response) {}

    // Consumes bytes; bytes after a complete response are only counted (Excess()).
    State Feed(std::string_view bytes);
    // The peer closed the connection: completes a body that runs to the end, fails anything else.
    State End();

    State GetState() const { return m_state; }
    bool Started() const { return m_started; }
    // Whether the connection can carry another request once this response is done.
    bool KeepAlive() const { return m_state == State::Done && m_keepAlive && m_excess == 0; }
    size_t Excess() const { return m_excess; }
    // The curl code that names the failure: a response the reader cannot use, or one cut short.
    int FailureCode() const { return m_failure; }

    // Longest response head accepted, as libcurl's limit for one header line.
    static constexpr size_t kMaxHead = 100 * 1024;

private:
    enum class Body { None, Length, Chunked, UntilClose };
    enum class Chunk { Size, Data, DataEnd, Trailer };

    State Fail(int code);
    bool ParseHead(std::string_view head);
    void ReadBody(std::string_view& bytes);
    void ReadChunks(std::string_view& bytes);
    // Takes one CRLF-ended line from the bytes (joined with what an earlier piece left); false
    // while the line is still incomplete.
    bool TakeLine(std::string_view& bytes, std::string_view& line);
    void Finish();

    HttpResponse& m_response;
    State m_state = State::Reading;
    bool m_started = false;
    bool m_inHead = true;
    bool m_keepAlive = true;
    Body m_body = Body::None;
    Chunk m_chunk = Chunk::Size;
    bool m_hasLength = false;
    bool m_chunked = false;
    bool m_untilClose = false;
    uint64_t m_length = 0;
    uint64_t m_remaining = 0;  // body or chunk bytes still to come
    size_t m_headSize = 0;     // head and trailer lines so far
    size_t m_excess = 0;
    int m_failure = 0;
    Aws::String m_pending;  // an incomplete head or chunk line
};

}  // namespace Internal
}  // namespace Aws
