// Long work of the engine run from Python so that Ctrl-C still reaches the script: the work
// runs on a thread of its own while the calling thread, the interpreter's lock released, wakes
// every 50 ms to let Python look for signals. On an interrupt the work is told to stop through
// its cancel flag and joined, and the KeyboardInterrupt is raised: no thread of the work is
// left running, and the package is as usable as before.
#pragma once

#include <pybind11/pybind11.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace halosoil::python {

// Call with the interpreter's lock held; work() runs without it and must stop soon once cancel
// is set (a study throws StudyCancelled, the sweep stops taking projects). Rethrows what work
// threw; raises KeyboardInterrupt (pybind11::error_already_set) when interrupted.
template <typename Work>
void RunInterruptibly(std::atomic<bool>& cancel, Work&& work) {
    namespace py = pybind11;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool interrupted = false;
    std::exception_ptr failure;
    {
        py::gil_scoped_release release;
        std::thread worker([&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            const std::lock_guard<std::mutex> lock(mutex);
            done = true;
            finished.notify_all();
        });
        std::unique_lock<std::mutex> lock(mutex);
        while (!finished.wait_for(lock, std::chrono::milliseconds(50), [&] { return done; })) {
            lock.unlock();
            {
                py::gil_scoped_acquire acquire;
                // Runs the handlers of the signals that came; Ctrl-C's raises KeyboardInterrupt.
                interrupted = PyErr_CheckSignals() != 0;
            }
            lock.lock();
            if (interrupted) {
                cancel = true;
                break;
            }
        }
        lock.unlock();
        worker.join();
    }
    if (interrupted) throw py::error_already_set();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace halosoil::python
