// Runs independent tasks on the cores: each thread takes the next task not yet taken, so the
// tasks may differ in length. Used for batches of calibration trials, which share nothing but
// read-only inputs and write only their own results.
#pragma once

#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace halosoil {

// The threads a run may use: the given number, or one per core for 0.
inline int TrialThreadCount(int requested) {
    if (requested > 0) return requested;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

// Calls task(0) .. task(count - 1), each once, on up to `threads` threads (this one among
// them), and returns when all are done. Without a thread to spare, this thread does them all.
template <class Task>
void RunTasks(int count, int threads, const Task& task) {
    std::atomic<int> next{0};
    const auto work = [&] {
        for (int k = next.fetch_add(1); k < count; k = next.fetch_add(1)) task(k);
    };
    std::vector<std::thread> helpers;
    const int wanted = (threads < count ? threads : count) - 1;
    try {
        for (int t = 0; t < wanted; ++t) helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started and this one share the tasks.
    }
    work();
    for (std::thread& helper : helpers) helper.join();
}

}  // namespace halosoil
