#include "core/locator/ServiceSingleton.h"

#include <gtest/gtest.h>

#include "tests/core/memory/FilledAllocator.h"

namespace {

using orvo::HashString;
using orvo::Locator::deregisterService;
using orvo::Locator::registerService;
using orvo::Locator::ServiceSingleton;

struct CountingService : ServiceSingleton<CountingService> {
    static int constructed;
    static int destroyed;
    CountingService() { ++constructed; }
    ~CountingService() override { ++destroyed; }
};
int CountingService::constructed = 0;
int CountingService::destroyed = 0;

TEST(ServiceSingleton, RegisterOnceDeregisterIdempotent) {
    CountingService::constructed = CountingService::destroyed = 0;
    ASSERT_EQ(ServiceSingleton<CountingService>::instance_, nullptr);

    deregisterService<CountingService>();  // never registered: nothing happens
    EXPECT_EQ(CountingService::destroyed, 0);

    CountingService* first = registerService<CountingService>("CountingService");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ServiceSingleton<CountingService>::instance_, first);
    EXPECT_EQ(first->serviceName, HashString("CountingService"));

    // A second registration keeps the first object and its name and allocates nothing.
    EXPECT_EQ(registerService<CountingService>("Other"), first);
    EXPECT_EQ(CountingService::constructed, 1);
    EXPECT_EQ(first->serviceName, HashString("CountingService"));

    deregisterService<CountingService>();
    EXPECT_EQ(ServiceSingleton<CountingService>::instance_, nullptr);
    EXPECT_EQ(CountingService::destroyed, 1);
    deregisterService<CountingService>();
    EXPECT_EQ(CountingService::destroyed, 1);
}

// Larger than category 0's largest allocator (64 MiB), so it can never be allocated.
struct OversizedService : ServiceSingleton<OversizedService> {
    unsigned char payload[65u << 20];
};

TEST(ServiceSingleton, RegistrationNeverStoresThroughANullService) {
    if (!trellin_test::OPERATORS_REPLACED) {
        GTEST_SKIP() << "categorised forms use the standard heap in this build";
    }
    EXPECT_EQ(registerService<OversizedService>("OversizedService"), nullptr);
    EXPECT_EQ(ServiceSingleton<OversizedService>::instance_, nullptr);
}

}  // namespace
