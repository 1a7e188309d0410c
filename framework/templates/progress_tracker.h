#pragma once

#include <cstdint>
#include <stdexcept>

namespace orvane::tessel::libvexahelper::metascans {

// Turns steps of a meta-scan into percentages. Each phase gets the share of the percentage that the
// previous phases left, so the reported value never decreases and, with at most `maximum` steps per
// phase, never exceeds 100.
class progress_tracker {
public:
    explicit progress_tracker(std::uint32_t steps) { set_maximum(steps); }

    // Advances one step and returns the new percentage.
    std::uint32_t step() {
        ++current_;
        return percentage();
    }

    // The percentage at the current step, before it advances.
    std::uint32_t percentage() const { return base_ + share(current_, maximum_); }

    // Starts a phase of n steps from where the previous phase got to; returns the new base.
    std::uint32_t set_maximum(std::uint32_t steps) {
        if (steps == 0) {
            throw std::out_of_range("Maximum must be greater than 0.");
        }
        base_ += share(current_, maximum_);
        maximum_ = steps;
        current_ = 0;
        return base_;
    }

    std::uint32_t base() const noexcept { return base_; }
    std::uint32_t current() const noexcept { return current_; }
    std::uint32_t maximum() const noexcept { return maximum_; }

private:
    std::uint32_t share(std::uint32_t done, std::uint32_t of) const {
        return static_cast<std::uint32_t>(static_cast<double>(done) * (100.0 - base_) /
                                          static_cast<double>(of));
    }

    std::uint32_t base_ = 0;
    std::uint32_t current_ = 0;
    std::uint32_t maximum_ = 100;
};

}  // namespace orvane::tessel::libvexahelper::metascans
