#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>
#include <unordered_set>

#include "host/sensor_interfaces.h"

namespace orvane::tessel::libvexahelper {

// The live sensors by id. Lookups share the lock, so scans of different sensors never wait on each
// other; adding and removing take it exclusively. Each sensor also carries a scan lock so that two
// overlapping scans of the same sensor (a host that calls twice) run one after the other.
class sensor_stock {
public:
    struct entry {
        std::shared_ptr<sensor_interface> sensor;
        std::shared_ptr<std::mutex> scan_lock;
    };

    // Holds an id while its sensor is being built, so that a second creation of the id is refused
    // before it builds anything. Empty when a sensor or another creation has the id.
    class claim {
    public:
        claim(sensor_stock& stock, std::int32_t id);
        ~claim();
        claim(const claim&) = delete;
        claim& operator=(const claim&) = delete;

        explicit operator bool() const noexcept { return held_; }

    private:
        sensor_stock& stock_;
        std::int32_t id_;
        bool held_;
    };

    // Throws sensor_already_registered when the id is taken.
    void add_sensor(std::int32_t id, std::shared_ptr<sensor_interface> sensor);

    // The sensor and its scan lock, or an empty entry.
    entry find(std::int32_t id) const;

    // Removes the sensor; it dies once a scan that still holds it ends. False when absent.
    bool remove(std::int32_t id);

    std::size_t size() const;

private:
    mutable std::shared_mutex mutex_;
    std::unordered_map<std::int32_t, entry> sensors_;
    std::unordered_set<std::int32_t> claimed_;
};

}  // namespace orvane::tessel::libvexahelper
