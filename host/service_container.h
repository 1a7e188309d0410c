#pragma once

#include <atomic>
#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <utility>

#include "host/exceptions.h"
#include "host/measured_mutex.h"
#include "host/type_name.h"

namespace orvane::tessel::libvexahelper {

// ---- factory store -------------------------------------------------------------------------------

class factory_wrapper_base {
public:
    virtual ~factory_wrapper_base() = default;
};

template <class Fn>
class factory_wrapper final : public factory_wrapper_base {
public:
    explicit factory_wrapper(std::function<Fn> function) : function_(std::move(function)) {}
    const std::function<Fn>& function() const noexcept { return function_; }

private:
    std::function<Fn> function_;
};

// Factories keyed by their own function type (never by the product's type), one per function type.
class factory_store {
public:
    template <class Fn>
    void add(std::function<Fn> function) {
        const auto [it, inserted] = factories_.try_emplace(std::type_index(typeid(Fn)));
        if (!inserted) {
            throw utils::exceptions::already_contains_factory(type_name<Fn>());
        }
        it->second = std::make_unique<factory_wrapper<Fn>>(std::move(function));
    }

    template <class Fn>
    bool contains() const {
        return factories_.contains(std::type_index(typeid(Fn)));
    }

    // Calls the factory of type Fn. An empty function fails with std::bad_function_call.
    template <class Fn, class... Args>
    auto invoke(Args&&... arguments) const {
        const auto it = factories_.find(std::type_index(typeid(Fn)));
        if (it == factories_.end()) {
            throw utils::exceptions::factory_not_available(type_name<Fn>());
        }
        calls_.fetch_add(1, std::memory_order_relaxed);
        return static_cast<const factory_wrapper<Fn>&>(*it->second)
            .function()(std::forward<Args>(arguments)...);
    }

    // A new object from the factory of type "unique_ptr<T>(Params...)".
    template <class T, class... Params, class... Args>
    std::unique_ptr<T> create(Args&&... arguments) const {
        return invoke<std::unique_ptr<T>(Params...)>(std::forward<Args>(arguments)...);
    }

    // Factory calls so far, from every thread: once the module runs, mostly AWS clients being made.
    std::uint64_t calls() const noexcept { return calls_.load(std::memory_order_relaxed); }

private:
    std::unordered_map<std::type_index, std::unique_ptr<factory_wrapper_base>> factories_;
    mutable std::atomic<std::uint64_t> calls_{0};
};

// ---- instance store ------------------------------------------------------------------------------

class instance_wrapper_base {
public:
    virtual ~instance_wrapper_base() = default;
};

// One shared instance of an interface type.
template <class T>
class instance_wrapper final : public instance_wrapper_base {
public:
    explicit instance_wrapper(std::shared_ptr<T> instance) : instance_(std::move(instance)) {}
    const std::shared_ptr<T>& instance() const noexcept { return instance_; }

private:
    std::shared_ptr<T> instance_;
};

// How a key appears in an error message. Keys that hold secrets must overload this (found by
// argument-dependent lookup) so that the secret never reaches a message.
template <class K>
requires std::convertible_to<const K&, std::string> std::string key_text(const K& key) {
    return std::string(key);
}

template <class K>
requires std::is_arithmetic_v<K> std::string key_text(const K& key) {
    return std::to_string(key);
}

// Keyed instances of an interface type, held without ownership: an instance lives while a caller
// holds it, and an entry whose instance has died counts as absent.
template <class T, class K, class Hash = std::hash<K>, class Equal = std::equal_to<K>>
class instance_map_wrapper final : public instance_wrapper_base {
public:
    // Records the instance under the key; a key whose instance is still alive is taken.
    void add(const K& key, const std::shared_ptr<T>& instance) {
        auto [it, inserted] = instances_.try_emplace(key, instance);
        if (!inserted) {
            if (!it->second.expired()) {
                throw utils::exceptions::already_contains_instance_key(type_name<T>(), key_text(key));
            }
            it->second = instance;
        }
    }

    std::shared_ptr<T> find(const K& key) const {
        const auto it = instances_.find(key);
        return it == instances_.end() ? nullptr : it->second.lock();
    }

    std::shared_ptr<T> get(const K& key) const {
        auto instance = find(key);
        if (!instance) {
            throw utils::exceptions::instance_not_available_key(type_name<T>(), key_text(key));
        }
        return instance;
    }

    std::size_t size() const noexcept { return instances_.size(); }

private:
    std::unordered_map<K, std::weak_ptr<T>, Hash, Equal> instances_;
};

// Wrappers keyed by the interface type.
class instance_store {
public:
    template <class T>
    void add(std::shared_ptr<T> instance) {
        const auto [it, inserted] = wrappers_.try_emplace(std::type_index(typeid(T)));
        if (!inserted) {
            throw utils::exceptions::already_contains_instance(type_name<T>());
        }
        it->second = std::make_unique<instance_wrapper<T>>(std::move(instance));
    }

    // The single instance of T, or null.
    template <class T>
    std::shared_ptr<T> find() const {
        const auto it = wrappers_.find(std::type_index(typeid(T)));
        if (it == wrappers_.end()) {
            return nullptr;
        }
        const auto* wrapper = dynamic_cast<const instance_wrapper<T>*>(it->second.get());
        return wrapper ? wrapper->instance() : nullptr;
    }

    template <class T>
    std::shared_ptr<T> get() const {
        auto instance = find<T>();
        if (!instance) {
            throw utils::exceptions::instance_not_available(type_name<T>());
        }
        return instance;
    }

    // The keyed wrapper of T, created empty on first use.
    template <class T, class K, class Hash, class Equal>
    instance_map_wrapper<T, K, Hash, Equal>& map() {
        using wrapper_type = instance_map_wrapper<T, K, Hash, Equal>;
        auto& slot = wrappers_[std::type_index(typeid(T))];
        if (!slot) {
            slot = std::make_unique<wrapper_type>();
        }
        auto* wrapper = dynamic_cast<wrapper_type*>(slot.get());
        if (wrapper == nullptr) {
            throw utils::exceptions::already_contains_instance(type_name<T>());
        }
        return *wrapper;
    }

private:
    std::unordered_map<std::type_index, std::unique_ptr<instance_wrapper_base>> wrappers_;
};

// ---- service container ---------------------------------------------------------------------------

// Every shared service of the module. One mutex serialises each lookup with its lazy creation, so
// concurrent first requests for the same instance get the same object and its factory runs once.
class service_container {
public:
    // Factories are added while the module is being built, before any other thread can reach it.
    factory_store& factories() noexcept { return factories_; }
    const factory_store& factories() const noexcept { return factories_; }

    // The container's single instance of T, made by the factory "unique_ptr<T>()" on first request.
    template <class T>
    std::shared_ptr<T> get() {
        std::lock_guard lock(mutex_);
        if (auto instance = instances_.find<T>()) {
            return instance;
        }
        std::shared_ptr<T> instance = factories_.create<T>();
        instances_.add<T>(instance);
        return instance;
    }

    // The live instance of T for the key, or a new one from the factory "unique_ptr<T>(K)". The
    // container does not own it: once the last caller drops it, the next request makes a new one.
    template <class T, class K, class Hash = std::hash<K>, class Equal = std::equal_to<K>>
    std::shared_ptr<T> get(const K& key) {
        std::lock_guard lock(mutex_);
        auto& instances = instances_.map<T, K, Hash, Equal>();
        if (auto instance = instances.find(key)) {
            return instance;
        }
        std::shared_ptr<T> instance = factories_.create<T, K>(K(key));
        instances.add(key, instance);
        return instance;
    }

    // A new object of T that nobody else shares, from the factory "unique_ptr<T>(Params...)".
    template <class T, class... Params, class... Args>
    std::unique_ptr<T> create(Args&&... arguments) const {
        return factories_.create<T, Params...>(std::forward<Args>(arguments)...);
    }

    // How often the one mutex was taken and how long callers waited for it.
    measured_mutex::statistics lock_statistics() { return mutex_.read(); }

private:
    // Declared in this order so that the instances die before the factories that made them.
    measured_mutex mutex_;
    factory_store factories_;
    instance_store instances_;
};

}  // namespace orvane::tessel::libvexahelper
