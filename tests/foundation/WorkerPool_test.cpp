#include "foundation/WorkerPool.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "support/TestSupport.h"

namespace {

constexpr int kTasks = 40;

} // namespace

// Every task runs once, with one worker in order on the calling thread, with four on other
// threads; a run nested in a task runs in order on the task's thread.
TEST(WorkerPool, RunsEveryTaskOnceWhereItShould)
{
    const std::thread::id main = std::this_thread::get_id();
    for (int workers : {1, 4}) {
        const ScopedWorkerCount count(workers);
        EXPECT_EQ(GetWorkerCount(), workers);
        std::vector<std::atomic<int>> runs(kTasks);
        std::vector<int> order;
        std::atomic<int> onMain = 0;
        std::atomic<int> nestedInOrder = 0;
        RunInParallel(kTasks, [&](int i) {
            ++runs[static_cast<std::size_t>(i)];
            if (std::this_thread::get_id() == main) {
                ++onMain;
                order.push_back(i); // only the serial run comes here
            }
            EXPECT_EQ(InParallelTask(), workers > 1);
            const std::thread::id here = std::this_thread::get_id();
            int next = 0;
            RunInParallel(3, [&](int j) {
                if (j == next++ && std::this_thread::get_id() == here)
                    ++nestedInOrder;
            });
        });
        for (const std::atomic<int>& r : runs)
            EXPECT_EQ(r.load(), 1);
        EXPECT_EQ(onMain.load(), workers == 1 ? kTasks : 0) << workers;
        EXPECT_EQ(nestedInOrder.load(), 3 * kTasks);
        if (workers == 1) {
            for (int i = 0; i < kTasks; ++i)
                EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
        }
    }
    SetWorkerCount(0);
    EXPECT_GE(GetWorkerCount(), 1); // the machine's cores
}

// What the tasks hand over runs on the main thread: message boxes reach the installed
// reporter (and their answers come back), debug lines the installed hook; exceptions of the
// tasks and of the handed-over work reach their callers.
TEST(WorkerPool, TasksHandWindowWorkToTheMainThread)
{
    const ScopedWorkerCount count(4);
    const std::thread::id main = std::this_thread::get_id();
    RecordingReporter reporter;
    for (int i = 0; i < kTasks; ++i)
        reporter.Answer(MsgAnswer::No);
    std::atomic<int> lines = 0;
    bool linesOnMain = true;
    const DebugLineHook previous = SetDebugLineHook([&](int, int, int, int) {
        linesOnMain = linesOnMain && std::this_thread::get_id() == main;
        ++lines;
    });
    SetDebugLevel(1);
    std::atomic<int> answeredNo = 0;
    RunInParallel(kTasks, [&](int i) {
        if (ShowMessage("task " + std::to_string(i), "Pool", MsgStyle::YesNo) == MsgAnswer::No)
            ++answeredNo;
        DrawDebugLine(0, 0, i, i);
    });
    SetDebugLevel(0);
    SetDebugLineHook(previous);
    EXPECT_EQ(reporter.messages.size(), static_cast<std::size_t>(kTasks));
    EXPECT_EQ(answeredNo.load(), kTasks);
    EXPECT_EQ(lines.load(), kTasks);
    EXPECT_TRUE(linesOnMain);

    std::atomic<int> ran = 0;
    EXPECT_THROW(RunInParallel(kTasks,
                               [&](int i) {
                                   ++ran;
                                   if (i == 7)
                                       throw std::runtime_error("task");
                               }),
                 std::runtime_error);
    EXPECT_EQ(ran.load(), kTasks); // the others still ran
    EXPECT_THROW(RunInParallel(2,
                               [](int) {
                                   RunOnMainThread([] { throw std::logic_error("main"); });
                               }),
                 std::logic_error);
}

// A count below 1 means every core of the machine: as many workers as it reports (at least
// one, at most the cap of 64), and that many tasks really run at the same time (each waits
// until all of them have started).
TEST(WorkerPool, CountZeroMeansEveryCore)
{
    const int cores = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 64);
    for (int count : {0, -3}) {
        SCOPED_TRACE(count);
        const ScopedWorkerCount two(2); // a pool of another size exists before
        RunInParallel(2, [](int) {});
        SetWorkerCount(count);
        ASSERT_EQ(GetWorkerCount(), cores);
        std::mutex mutex;
        std::condition_variable all;
        int started = 0;
        int met = 0;
        RunInParallel(cores, [&](int) {
            std::unique_lock lock(mutex);
            ++started;
            all.notify_all();
            if (all.wait_for(lock, std::chrono::seconds(20), [&] { return started == cores; }))
                ++met;
        });
        EXPECT_EQ(met, cores);
    }
}
