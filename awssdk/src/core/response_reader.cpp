#include "core/response_reader.h"

#include "core/string_utils.h"
#include "core/transport_platform.h"

#include <algorithm>

namespace Aws {
namespace Internal {
namespace {

// libcurl's codes for the same failures, which the SDK reports as "curlCode: N".
constexpr int kWeirdServerReply = 8;
constexpr int kPartialFile = 18;
constexpr int kGotNothing = 52;
constexpr int kRecvError = 56;

// What a body may make the reader reserve up front, whatever its Content-Length claims.
constexpr uint64_t kMaxReserve = 1 << 20;

bool ParseDecimal(std::string_view text, uint64_t& value) {
    if (text.empty() || text.size() > 18) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

bool ParseChunkSize(std::string_view line, uint64_t& value) {
    line = Trim(line.substr(0, line.find(';')));  // chunk extensions are ignored
    if (line.empty() || line.size() > 15) {
        return false;
    }
    value = 0;
    for (const char c : line) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        value = value * 16 + static_cast<uint64_t>(digit);
    }
    return true;
}

// "chunked" as the last coding of a Transfer-Encoding value.
bool EndsChunked(std::string_view value) {
    const auto comma = value.rfind(',');
    return EqualsIgnoreCase(Trim(comma == std::string_view::npos ? value : value.substr(comma + 1)),
                            "chunked");
}

bool HasToken(std::string_view value, std::string_view token) {
    while (!value.empty()) {
        const auto comma = value.find(',');
        if (EqualsIgnoreCase(Trim(value.substr(0, comma)), token)) {
            return true;
        }
        value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
    }
    return false;
}

}  // namespace

ResponseReader::State ResponseReader::Fail(int code) {
    m_state = State::Failed;
    m_failure = code;
    m_response.headers.clear();
    m_response.body.clear();
    m_response.status = -1;
    return m_state;
}

bool ResponseReader::TakeLine(std::string_view& bytes, std::string_view& line) {
    const auto end = bytes.find('\n');
    if (end == std::string_view::npos) {
        m_pending.append(bytes);
        bytes = {};
        return false;
    }
    if (m_pending.empty()) {
        line = bytes.substr(0, end);
    } else {
        m_pending.append(bytes.substr(0, end));
        line = m_pending;
    }
    bytes.remove_prefix(end + 1);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return true;
}

ResponseReader::State ResponseReader::Feed(std::string_view bytes) {
    m_started = m_started || !bytes.empty();
    while (m_state == State::Reading && !bytes.empty()) {
        if (!m_inHead) {
            ReadBody(bytes);
            continue;
        }
        std::string_view line;
        const bool complete = TakeLine(bytes, line);
        m_headSize += complete ? line.size() + 2 : 0;
        if (m_headSize > kMaxHead || m_pending.size() > kMaxHead) {
            return Fail(kWeirdServerReply);
        }
        if (!complete) {
            break;
        }
        const bool parsed = ParseHead(line);
        m_pending.clear();
        if (!parsed) {
            return Fail(kWeirdServerReply);
        }
    }
    if (m_state == State::Done) {
        m_excess += bytes.size();
    }
    return m_state;
}

bool ResponseReader::ParseHead(std::string_view line) {
    if (m_response.status < 0) {
        // "HTTP/1.x NNN reason"
        if (line.size() < 12 || line.substr(0, 7) != "HTTP/1." || line[8] != ' ' ||
            (line.size() > 12 && line[12] != ' ')) {
            return false;
        }
        uint64_t status = 0;
        if (!ParseDecimal(line.substr(9, 3), status) || status < 100) {
            return false;
        }
        m_response.status = static_cast<long>(status);
        m_keepAlive = line[7] != '0';
        return true;
    }
    if (!line.empty()) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0) {
            return false;
        }
        const std::string_view name = Trim(line.substr(0, colon));
        const std::string_view value = Trim(line.substr(colon + 1));
        if (EqualsIgnoreCase(name, "content-length")) {
            uint64_t length = 0;
            if (!ParseDecimal(value, length) || (m_hasLength && length != m_length)) {
                return false;
            }
            m_hasLength = true;
            m_length = length;
        } else if (EqualsIgnoreCase(name, "transfer-encoding")) {
            m_chunked = EndsChunked(value);
            m_untilClose = !m_chunked;
        } else if (EqualsIgnoreCase(name, "connection")) {
            m_keepAlive = HasToken(value, "keep-alive") || (m_keepAlive && !HasToken(value, "close"));
        }
        AddResponseHeader(m_response, name, value);
        return true;
    }
    // The empty line that ends the head.
    const long status = m_response.status;
    if (status < 200) {
        if (status == 101) {
            return false;  // nothing here asks to switch protocols
        }
        m_response.status = -1;  // an interim answer: the real one follows
        m_response.headers.clear();
        m_hasLength = m_chunked = m_untilClose = false;
        return true;
    }
    m_inHead = false;
    if (status == 204 || status == 304) {
        m_body = Body::None;
    } else if (m_chunked) {
        m_body = Body::Chunked;
    } else if (m_untilClose || !m_hasLength) {
        m_body = Body::UntilClose;
        m_keepAlive = false;
    } else {
        m_body = Body::Length;
        m_remaining = m_length;
        m_response.body.reserve(static_cast<size_t>(std::min(m_length, kMaxReserve)));
    }
    if (m_body == Body::None || (m_body == Body::Length && m_remaining == 0)) {
        Finish();
    }
    return true;
}

void ResponseReader::ReadBody(std::string_view& bytes) {
    switch (m_body) {
        case Body::UntilClose:
            m_response.body.append(bytes);
            bytes = {};
            return;
        case Body::Length: {
            const auto take = static_cast<size_t>(std::min<uint64_t>(m_remaining, bytes.size()));
            m_response.body.append(bytes.substr(0, take));
            bytes.remove_prefix(take);
            m_remaining -= take;
            if (m_remaining == 0) {
                Finish();
            }
            return;
        }
        case Body::Chunked:
            ReadChunks(bytes);
            return;
        case Body::None:
            Finish();
            return;
    }
}

void ResponseReader::ReadChunks(std::string_view& bytes) {
    if (m_chunk == Chunk::Data) {
        const auto take = static_cast<size_t>(std::min<uint64_t>(m_remaining, bytes.size()));
        m_response.body.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        m_remaining -= take;
        if (m_remaining == 0) {
            m_chunk = Chunk::DataEnd;
        }
        return;
    }
    std::string_view line;
    const bool complete = TakeLine(bytes, line);
    m_headSize += complete ? line.size() + 2 : 0;
    if (m_pending.size() > kMaxHead || (m_chunk == Chunk::Trailer && m_headSize > kMaxHead)) {
        Fail(kRecvError);
        return;
    }
    if (!complete) {
        return;
    }
    bool good = true;
    switch (m_chunk) {
        case Chunk::Size:
            good = ParseChunkSize(line, m_remaining);
            m_chunk = m_remaining == 0 ? Chunk::Trailer : Chunk::Data;
            break;
        case Chunk::DataEnd:
            good = line.empty();
            m_chunk = Chunk::Size;
            break;
        case Chunk::Trailer:
            if (line.empty()) {
                Finish();
            }
            break;
        case Chunk::Data:
            break;
    }
    m_pending.clear();
    if (!good) {
        Fail(kRecvError);
    }
}

void ResponseReader::Finish() {
    m_state = State::Done;
}

ResponseReader::State ResponseReader::End() {
    if (m_state != State::Reading) {
        return m_state;
    }
    if (!m_inHead && m_body == Body::UntilClose) {
        Finish();
        return m_state;
    }
    return Fail(m_started ? kPartialFile : kGotNothing);
}

}  // namespace Internal
}  // namespace Aws
