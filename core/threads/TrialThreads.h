// Runs independent tasks on the cores: each thread takes the next task not yet taken, so the
// tasks may differ in length. Used for batches of calibration trials, which share nothing but
// read-only inputs and write only their own results.
#pragma once

#include <system_error>
#include <thread>
#include <vector>

#include "TrialPool.h"

namespace halosoil {

// The threads a run may use: the given number, or one per core for 0.
inline int TrialThreadCount(int requested) {
    if (requested > 0) return requested;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

// Calls task(0) .. task(count - 1), each once, on up to `threads` threads (this one among
// them), and returns when all are done. The other threads are the process's pool of trial
// threads; while that is busy (a batch of another thread, or a batch within a task), threads
// are started for this batch alone. Without a thread to spare, this thread does them all.
template <class Task>
void RunTasks(int count, int threads, const Task& task) {
    const int helpers = (threads < count ? threads : count) - 1;
    if (helpers <= 0) {
        for (int k = 0; k < count; ++k) task(k);
        return;
    }
    TaskBatch batch(count, task);
    if (TrialPool::OfThisProcess().Run(batch, helpers)) return;
    std::vector<std::thread> started;
    try {
        for (int t = 0; t < helpers; ++t) started.emplace_back([&batch] { batch.Work(); });
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started and this one share the tasks.
    }
    batch.Work();
    for (std::thread& thread : started) thread.join();
}

}  // namespace halosoil
