#include "fakeclock.h"
#include "fakerunloop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FakeRunLoopTest : ::testing::Test
{
    FakeClock clock {1000.0};
    FakeRunLoop loop {clock};
    std::vector<std::string> log;
};

TEST_F(FakeRunLoopTest, RepeatingTimersFireAtTheirVirtualTimesInOrder)
{
    auto fast = loop.scheduleRepeating(
        15, [&] { log.push_back("15@" + std::to_string(int(clock.now()))); });
    auto slow = loop.scheduleRepeating(
        20, [&] { log.push_back("20@" + std::to_string(int(clock.now()))); });
    loop.advance(14.9);
    EXPECT_TRUE(log.empty()) << "the first tick comes one full period after scheduling";
    loop.advance(45.1);
    EXPECT_EQ(log,
              (std::vector<std::string> {"15@1015", "20@1020", "15@1030", "20@1040", "15@1045",
                                         "15@1060", "20@1060"}));
    EXPECT_DOUBLE_EQ(clock.now(), 1060.0);
}

TEST_F(FakeRunLoopTest, AnInvalidatedTimerNeverFiresAgainEvenFromItsOwnTick)
{
    int ticks = 0;
    std::shared_ptr<Timer> timer;
    timer = loop.scheduleRepeating(10, [&] {
        if (++ticks == 2)
            timer->invalidate();
    });
    loop.advance(100);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(timer->isValid());
    EXPECT_EQ(loop.activeTimers(), 0u);
}

TEST_F(FakeRunLoopTest, PostedTasksRunInSubmissionOrderOnlyWhenDrained)
{
    loop.post([&] {
        log.push_back("a");
        loop.post([&] { log.push_back("c"); });
    });
    loop.post([&] { log.push_back("b"); });
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(loop.drain(), 3);
    EXPECT_EQ(log, (std::vector<std::string> {"a", "b", "c"}));
}

TEST_F(FakeRunLoopTest, TasksPostedByATickRunBeforeTheNextTick)
{
    loop.scheduleRepeating(10, [&] {
        log.push_back("tick");
        loop.post([&] { log.push_back("task"); });
    });
    loop.advance(20);
    EXPECT_EQ(log, (std::vector<std::string> {"tick", "task", "tick", "task"}));
}

} // namespace
