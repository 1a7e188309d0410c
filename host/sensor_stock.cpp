#include "host/sensor_stock.h"

#include "host/exceptions.h"

namespace orvane::tessel::libvexahelper {

sensor_stock::claim::claim(sensor_stock& stock, std::int32_t id) : stock_(stock), id_(id) {
    const std::unique_lock lock(stock_.mutex_);
    held_ = !stock_.sensors_.contains(id) && stock_.claimed_.insert(id).second;
}

sensor_stock::claim::~claim() {
    if (held_) {
        const std::unique_lock lock(stock_.mutex_);
        stock_.claimed_.erase(id_);
    }
}

void sensor_stock::add_sensor(std::int32_t id, std::shared_ptr<sensor_interface> sensor) {
    std::unique_lock lock(mutex_);
    const auto [it, inserted] = sensors_.try_emplace(id);
    if (!inserted) {
        throw utils::exceptions::sensor_already_registered(id);
    }
    it->second = {std::move(sensor), std::make_shared<std::mutex>()};
}

sensor_stock::entry sensor_stock::find(std::int32_t id) const {
    std::shared_lock lock(mutex_);
    const auto it = sensors_.find(id);
    return it == sensors_.end() ? entry{} : it->second;
}

bool sensor_stock::remove(std::int32_t id) {
    entry removed;  // released after the lock, so a sensor's clean-up never runs under it
    std::unique_lock lock(mutex_);
    const auto it = sensors_.find(id);
    if (it == sensors_.end()) {
        return false;
    }
    removed = std::move(it->second);
    sensors_.erase(it);
    // A map keeps its buckets as it empties: once most sensors are gone, so is their share of them.
    constexpr std::size_t few_buckets = 64;
    if (sensors_.bucket_count() > few_buckets && sensors_.size() * 4 < sensors_.bucket_count()) {
        sensors_.rehash(0);
    }
    lock.unlock();
    return true;
}

std::size_t sensor_stock::size() const {
    std::shared_lock lock(mutex_);
    return sensors_.size();
}

}  // namespace orvane::tessel::libvexahelper
