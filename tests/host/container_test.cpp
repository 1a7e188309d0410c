#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <set>
#include <thread>
#include <vector>

#include "host/exceptions.h"
#include "host/service_container.h"

namespace {

using namespace orvane::tessel::libvexahelper;
namespace hx = utils::exceptions;
using ::testing::HasSubstr;

struct service {
    virtual ~service() = default;
    int value = 0;
};

struct key {
    std::string account;
    std::string secret;
    bool operator==(const key&) const = default;
};

struct key_hash {
    std::size_t operator()(const key& k) const { return std::hash<std::string>()(k.account); }
};

// Keys with secrets describe themselves without them.
std::string key_text(const key& k) {
    return "account " + k.account;
}

TEST(FactoryStore, RefusesASecondFactoryOfTheSameFunctionTypeAndKeepsTheFirst) {
    factory_store store;
    store.add<std::unique_ptr<service>()>([] {
        auto s = std::make_unique<service>();
        s->value = 1;
        return s;
    });
    EXPECT_THROW(store.add<std::unique_ptr<service>()>([] { return std::make_unique<service>(); }),
                 hx::already_contains_factory);
    EXPECT_EQ(store.create<service>()->value, 1);
}

TEST(FactoryStore, KeysByFunctionTypeNotByProduct) {
    factory_store store;
    store.add<std::unique_ptr<service>()>([] { return std::make_unique<service>(); });
    store.add<std::unique_ptr<service>(int)>([](int v) {
        auto s = std::make_unique<service>();
        s->value = v;
        return s;
    });
    EXPECT_EQ((store.create<service, int>(42)->value), 42);
    try {
        store.create<service, std::string>(std::string("x"));
        FAIL() << "no exception";
    } catch (const hx::factory_not_available& error) {
        EXPECT_THAT(error.what(), HasSubstr("The factory store can't find a factory with type"));
        EXPECT_THAT(error.what(), HasSubstr("service"));
        EXPECT_EQ(error.message().encoded().rfind("#:libvexahelper.error.factory_not_available[", 0), 0u);
    }
}

TEST(FactoryStore, EmptyFunctionFailsWithTheStandardError) {
    factory_store store;
    store.add<std::unique_ptr<service>()>(std::function<std::unique_ptr<service>()>());
    EXPECT_THROW(store.create<service>(), std::bad_function_call);
}

TEST(ServiceContainer, SingleInstanceIsMadeOnceAndShared) {
    service_container container;
    int made = 0;
    container.factories().add<std::unique_ptr<service>()>([&] {
        ++made;
        return std::make_unique<service>();
    });
    const auto first = container.get<service>();
    const auto second = container.get<service>();
    EXPECT_EQ(first, second);
    EXPECT_EQ(made, 1);
}

TEST(ServiceContainer, ConcurrentFirstRequestsGetOneInstance) {
    service_container container;
    std::atomic<int> made{0};
    container.factories().add<std::unique_ptr<service>()>([&] {
        ++made;
        std::this_thread::yield();
        return std::make_unique<service>();
    });
    constexpr int threads = 16;
    std::barrier start(threads);
    std::vector<std::shared_ptr<service>> seen(threads);
    std::vector<std::jthread> workers;
    workers.reserve(threads);
    for (int i = 0; i < threads; ++i) {
        workers.emplace_back([&, i] {
            start.arrive_and_wait();
            seen[i] = container.get<service>();
        });
    }
    workers.clear();
    EXPECT_EQ(made.load(), 1);
    EXPECT_EQ(std::set<std::shared_ptr<service>>(seen.begin(), seen.end()).size(), 1u);
    // What a benchmark reads: every get took the lock once (reading takes it too), the factory ran once.
    const auto lock = container.lock_statistics();
    EXPECT_EQ(lock.acquisitions, threads + 1U);
    EXPECT_LE(lock.contended, static_cast<std::uint64_t>(threads));
    EXPECT_EQ(lock.contended == 0, lock.waited.count() == 0);
    EXPECT_EQ(container.factories().calls(), 1U);
}

TEST(ServiceContainer, MissingFactoryNamesTheFactoryType) {
    service_container container;
    try {
        container.get<service>();
        FAIL() << "no exception";
    } catch (const hx::service_container_error& error) {
        EXPECT_THAT(error.what(), HasSubstr("std::unique_ptr"));
    }
}

// Keyed get-or-create (shared while held, fresh afterwards, one per key under many threads) is
// tested where the module uses it, with the AWS client cache.

TEST(InstanceMapWrapper, LiveKeyIsTakenDeadKeyIsReplacedAndErrorsHideSecrets) {
    instance_map_wrapper<service, key, key_hash> map;
    auto live = std::make_shared<service>();
    map.add({"a", "TOPSECRET"}, live);
    try {
        map.add({"a", "TOPSECRET"}, std::make_shared<service>());
        FAIL() << "no exception";
    } catch (const hx::already_contains_instance_key& error) {
        EXPECT_THAT(error.what(), HasSubstr("and key account a."));
        EXPECT_THAT(error.what(), ::testing::Not(HasSubstr("TOPSECRET")));
    }
    live.reset();
    EXPECT_THROW(map.get({"a", "TOPSECRET"}), hx::instance_not_available_key);
    auto replacement = std::make_shared<service>();
    map.add({"a", "TOPSECRET"}, replacement);
    EXPECT_EQ(map.get({"a", "TOPSECRET"}), replacement);
}

TEST(InstanceStore, SecondSingleInstanceAndMissingInstanceAreErrors) {
    instance_store store;
    store.add<service>(std::make_shared<service>());
    EXPECT_THROW(store.add<service>(std::make_shared<service>()), hx::already_contains_instance);
    EXPECT_THROW(store.get<int>(), hx::instance_not_available);
}

}  // namespace
