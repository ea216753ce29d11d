// The runs of a calibration, counted across its threads, and the progress they make towards
// the runs its searches may take at the most (most searches end earlier, so the progress
// jumps to the end when they do).
#pragma once

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>

namespace halosoil::study {

class RunCounter {
public:
    RunCounter(long long expected, std::function<void(long long done, long long total)> progress)
        : expected_(expected), progress_(std::move(progress)) {}

    // Counted and told under one lock, so that the progress never goes back when runs of
    // several threads end at once.
    void Add(long long runs) {
        const std::lock_guard<std::mutex> lock(lock_);
        const long long done = runs_ += runs;
        if (progress_) progress_(std::min(done, expected_), expected_);
    }
    long long Runs() const { return runs_; }

private:
    std::atomic<long long> runs_{0};
    long long expected_;
    std::function<void(long long, long long)> progress_;
    std::mutex lock_;
};

}  // namespace halosoil::study
