#include "TrialPool.h"

#include <unistd.h>

#include <algorithm>
#include <exception>
#include <mutex>
#include <system_error>

namespace halosoil {

namespace {

// Waits until value differs from seen. Asleep: a thread that spins for the next batch costs
// more than it saves on a virtual machine, whose host takes a spinning processor away (the
// daily project with both calibrations took 5 to 18 % longer with half a millisecond awake).
template <class T>
T WaitForChange(const std::atomic<T>& value, T seen) {
    value.wait(seen, std::memory_order_acquire);
    return value.load(std::memory_order_acquire);
}

}  // namespace

TrialPool& TrialPool::OfThisProcess() {
    // Never destroyed: its threads wait until the process ends. A child of fork has none of
    // its parent's threads, so it makes a pool of its own and leaves the parent's untouched.
    static std::atomic<TrialPool*> pool{nullptr};
    static std::atomic<pid_t> owner{0};
    static std::mutex making;
    const pid_t self = getpid();
    if (owner.load(std::memory_order_acquire) != self) {
        const std::lock_guard<std::mutex> lock(making);
        if (owner.load(std::memory_order_relaxed) != self) {
            pool.store(new TrialPool, std::memory_order_relaxed);
            owner.store(self, std::memory_order_release);
        }
    }
    return *pool.load(std::memory_order_acquire);
}

void TrialPool::StartThreads(int wanted) {
    try {
        while (static_cast<int>(threads_.size()) < wanted) {
            const int index = static_cast<int>(threads_.size());
            threads_.emplace_back([this, index] { Serve(index); });
        }
    } catch (const std::system_error&) {
        // No more threads to be had: the ones there share the work.
    }
}

void TrialPool::Serve(int index) {
    unsigned seen = 0;
    for (;;) {
        seen = WaitForChange(round_, seen);
        // Read with the round itself: a thread not asked this round may see it late, when the
        // next round's batch is already being set up.
        if (index >= static_cast<int>(seen & kHelperMask)) continue;
        batch_->Work();
        if (working_.fetch_sub(1, std::memory_order_acq_rel) == 1) working_.notify_one();
    }
}

bool TrialPool::Run(TaskBatch& batch, int helpers) {
    if (busy_.exchange(true, std::memory_order_acquire)) return false;
    struct Release {
        std::atomic<bool>& busy;
        ~Release() { busy.store(false, std::memory_order_release); }
    } release{busy_};
    StartThreads(std::min<int>(helpers, kHelperMask));
    const unsigned asked =
        std::min(static_cast<unsigned>(helpers), static_cast<unsigned>(threads_.size()));
    batch_ = &batch;
    working_.store(static_cast<int>(asked), std::memory_order_relaxed);
    // The round published last: a thread that sees it sees the batch.
    const unsigned number = (round_.load(std::memory_order_relaxed) >> kHelperBits) + 1;
    round_.store(number << kHelperBits | asked, std::memory_order_release);
    round_.notify_all();
    // The helpers work on the batch until it is done, whatever happens here meanwhile.
    std::exception_ptr failure;
    try {
        batch.Work();
    } catch (...) {
        failure = std::current_exception();
    }
    for (int left = working_.load(std::memory_order_acquire); left != 0;
         left = working_.load(std::memory_order_acquire))
        WaitForChange(working_, left);
    if (failure) std::rethrow_exception(failure);
    return true;
}

}  // namespace halosoil
