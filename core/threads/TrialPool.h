// The threads that run the calibrations' batches of trials, kept from one batch to the next.
//
// A calibration runs a few dozen batches back to back, each a few milliseconds long or less;
// a thread started for each batch costs its start and, now and then, a core that comes late.
// The pool's threads sleep between batches and are woken for the next.
#pragma once

#include <atomic>
#include <thread>
#include <vector>

namespace halosoil {

// A batch: task(k) for k in 0 .. count - 1, each once, by whichever thread takes it first.
class TaskBatch {
public:
    template <class Task>
    TaskBatch(int count, const Task& task)
        : count_(count),
          task_(&task),
          call_([](const void* t, int k) { (*static_cast<const Task*>(t))(k); }) {}

    // Takes tasks until none is left.
    void Work() {
        for (int k = next_.fetch_add(1); k < count_; k = next_.fetch_add(1)) call_(task_, k);
    }

private:
    int count_;
    const void* task_;
    void (*call_)(const void*, int);
    std::atomic<int> next_{0};
};

class TrialPool {
public:
    // The pool of this process (a child of fork gets one of its own).
    static TrialPool& OfThisProcess();

    // Works on the batch with up to `helpers` of the pool's threads besides this one, and
    // returns when every task is done. False, with nothing done, while the pool is busy with
    // another batch (one from another thread, or one of whose tasks this is).
    bool Run(TaskBatch& batch, int helpers);

private:
    TrialPool() = default;
    void StartThreads(int wanted);
    void Serve(int index);

    // A round: its number above, the count of threads asked to help below.
    static constexpr unsigned kHelperBits = 8;
    static constexpr unsigned kHelperMask = (1u << kHelperBits) - 1;

    std::atomic<bool> busy_{false};
    std::vector<std::thread> threads_;
    TaskBatch* batch_ = nullptr;  // read only by the threads asked, while they work
    std::atomic<unsigned> round_{0};
    std::atomic<int> working_{0};
};

}  // namespace halosoil
