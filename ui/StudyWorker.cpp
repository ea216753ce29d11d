#include "StudyWorker.h"

#include <QMetaObject>
#include <stdexcept>
#include <utility>

namespace halosoil {

StudyWorker::StudyWorker(QObject* parent) : QObject(parent) {}

StudyWorker::~StudyWorker() {
    cancel_ = true;
    if (thread_.joinable()) thread_.join();
}

void StudyWorker::Start(int threads, std::function<void(const study::StudyOptions&)> work,
                        std::function<void(std::exception_ptr)> done) {
    if (Busy()) throw std::logic_error("A study is running already.");
    cancel_ = false;
    shownPercent_ = -1;
    error_ = nullptr;
    done_ = std::move(done);
    thread_ = std::thread([this, threads, work = std::move(work), gate = gate_] {
        if (gate) gate();
        study::StudyOptions options;
        options.threads = threads;
        options.cancel = &cancel_;
        // Thousands of members must not flood the window's queue: a call per percent.
        options.progress = [this](long long doneMembers, long long total) {
            const int percent = total > 0 ? static_cast<int>(doneMembers * 100 / total) : 0;
            if (shownPercent_.exchange(percent) == percent) return;
            QMetaObject::invokeMethod(
                this, [this, doneMembers, total] { emit Progress(doneMembers, total); },
                Qt::QueuedConnection);
        };
        try {
            work(options);
        } catch (...) {
            error_ = std::current_exception();
        }
        QMetaObject::invokeMethod(this, &StudyWorker::Deliver, Qt::QueuedConnection);
    });
}

void StudyWorker::Join() {
    Deliver();
}

// Whichever comes first, the queued call from the study's thread or Join, delivers the end;
// the other finds nothing left to do.
void StudyWorker::Deliver() {
    if (!thread_.joinable()) return;
    thread_.join();
    auto done = std::move(done_);
    done_ = nullptr;
    if (done) done(std::exchange(error_, nullptr));
}

}  // namespace halosoil
