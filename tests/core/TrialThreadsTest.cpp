#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "TrialThreads.h"

namespace halosoil {
namespace {

// Runs count tasks on `threads` threads and returns how often each ran.
std::vector<int> TimesEachRan(int count, int threads) {
    std::vector<std::atomic<int>> ran(static_cast<std::size_t>(count));
    RunTasks(count, threads, [&](int k) { ran[static_cast<std::size_t>(k)].fetch_add(1); });
    std::vector<int> times;
    for (const auto& r : ran) times.push_back(r.load());
    return times;
}

TEST(TrialThreads, EveryTaskRunsOnceWhateverTheThreads) {
    for (int count : {0, 1, 2, 7, 100})
        for (int threads : {1, 2, 3, 8}) {
            SCOPED_TRACE(testing::Message() << count << " tasks on " << threads << " threads");
            EXPECT_EQ(TimesEachRan(count, threads), std::vector<int>(count, 1));
        }
}

TEST(TrialThreads, BatchesOfTwoCallersAtOnceAndWithinATaskAllComplete) {
    // One caller has the pool, the other starts threads of its own; a task that runs a batch
    // of its own finds the pool busy with the batch it belongs to.
    std::vector<int> first, second;
    std::thread other([&] { second = TimesEachRan(500, 3); });
    first = TimesEachRan(500, 3);
    other.join();
    EXPECT_EQ(first, std::vector<int>(500, 1));
    EXPECT_EQ(second, std::vector<int>(500, 1));

    std::atomic<int> inner{0};
    RunTasks(4, 2, [&](int) { RunTasks(10, 2, [&](int) { inner.fetch_add(1); }); });
    EXPECT_EQ(inner.load(), 40);
}

TEST(TrialThreads, AFailureOnTheCallingThreadComesBackAfterTheOtherTasksAndThePoolServesOn) {
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<bool> callerFailed{false};
    std::atomic<int> done{0};
    EXPECT_THROW(RunTasks(50, 2,
                          [&](int) {
                              if (std::this_thread::get_id() == caller) {
                                  callerFailed = true;
                                  throw std::runtime_error("failed");
                              }
                              while (!callerFailed) std::this_thread::yield();
                              done.fetch_add(1);
                          }),
                 std::runtime_error);
    // The caller failed at its first task; the helper did every other one before the failure
    // came back.
    EXPECT_EQ(done.load(), 49);
    EXPECT_EQ(TimesEachRan(20, 2), std::vector<int>(20, 1));
}

TEST(TrialThreads, AChildOfForkRunsBatchesWithThreadsOfItsOwn) {
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the thread sanitizer stops a child of a threaded fork that starts threads";
#endif
    EXPECT_EQ(TimesEachRan(20, 2), std::vector<int>(20, 1));  // the parent's pool is started
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(TimesEachRan(200, 2) == std::vector<int>(200, 1) ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace halosoil
