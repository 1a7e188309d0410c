#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>

namespace orvane::tessel::libvexahelper {

// A mutex that keeps account of how often it was taken and how long callers waited for it, so that
// the cost of sharing it can be measured under load. An uncontended lock costs one try_lock and two
// increments more than a plain mutex; the clock is read only when a caller has to wait.
class measured_mutex {
public:
    struct statistics {
        std::uint64_t acquisitions = 0;
        std::uint64_t contended = 0;  // acquisitions that had to wait
        std::chrono::nanoseconds waited{0};
    };

    void lock() {
        if (mutex_.try_lock()) {
            ++counts_.acquisitions;
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        mutex_.lock();
        // Held from here on: the counts need no atomics.
        counts_.waited += std::chrono::steady_clock::now() - start;
        ++counts_.contended;
        ++counts_.acquisitions;
    }

    bool try_lock() {
        if (!mutex_.try_lock()) {
            return false;
        }
        ++counts_.acquisitions;
        return true;
    }

    void unlock() { mutex_.unlock(); }

    // Takes the lock to read (and counts that acquisition too).
    statistics read() {
        const std::lock_guard lock(*this);
        return counts_;
    }

private:
    std::mutex mutex_;
    statistics counts_;
};

}  // namespace orvane::tessel::libvexahelper
