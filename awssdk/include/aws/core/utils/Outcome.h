#pragma once

#include <utility>

namespace Aws {
namespace Utils {

// Either a result or an error; a default-constructed outcome holds neither and is not a success.
template <typename R, typename E>
class Outcome {
public:
    Outcome() = default;
    Outcome(const R& r) : m_result(r), m_success(true) {}        // NOLINT(google-explicit-constructor)
    Outcome(const E& e) : m_error(e) {}                          // NOLINT(google-explicit-constructor)
    Outcome(R&& r) : m_result(std::move(r)), m_success(true) {}  // NOLINT(google-explicit-constructor)
    Outcome(E&& e) : m_error(std::move(e)) {}                    // NOLINT(google-explicit-constructor)

    template <typename RT, typename ET>
    Outcome(Outcome<RT, ET>&& o)  // NOLINT(google-explicit-constructor)
        : m_result(std::move(o.GetResult())), m_error(std::move(o.GetError())), m_success(o.IsSuccess()) {}

    const R& GetResult() const { return m_result; }
    R& GetResult() { return m_result; }
    R&& GetResultWithOwnership() { return std::move(m_result); }
    const E& GetError() const { return m_error; }
    E& GetError() { return m_error; }
    bool IsSuccess() const { return m_success; }
    unsigned GetRetryCount() const { return m_retryCount; }
    void SetRetryCount(unsigned retryCount) { m_retryCount = retryCount; }

private:
    R m_result{};
    E m_error{};
    bool m_success = false;
    unsigned m_retryCount = 0;
};

}  // namespace Utils
}  // namespace Aws
