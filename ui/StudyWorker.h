// Runs one study (a calibration, a sensitivity design, an ensemble) on a thread of its own, so
// the window answers while the members run. The study gets options with the worker's cancel
// flag and a progress callback; its progress and its end reach the window's thread as queued
// calls, so the page's widgets are only ever touched from there.
#pragma once

#include <QObject>
#include <atomic>
#include <exception>
#include <functional>
#include <thread>

#include "MemberRuns.h"

namespace halosoil {

class StudyWorker : public QObject {
    Q_OBJECT
public:
    explicit StudyWorker(QObject* parent = nullptr);
    // A study still running is cancelled and waited for; its end is not delivered.
    ~StudyWorker() override;

    // Runs work with the options to hand to the study; done is then called on the window's
    // thread with what work threw (null when it went through). One study at a time.
    void Start(int threads, std::function<void(const study::StudyOptions&)> work,
               std::function<void(std::exception_ptr)> done);
    bool Busy() const { return thread_.joinable(); }
    // Asks the study to stop; it ends with StudyCancelled at its next member.
    void Cancel() { cancel_ = true; }
    // Waits for the study and delivers its end at once (the tests' way to wait for it).
    void Join();
    // Called on the study's thread before each study begins; a test holds a study there to
    // cancel it at a known point.
    void SetStartGate(std::function<void()> gate) { gate_ = std::move(gate); }

signals:
    void Progress(long long done, long long total);

private:
    void Deliver();

    std::thread thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<int> shownPercent_{-1};
    std::exception_ptr error_;
    std::function<void(std::exception_ptr)> done_;
    std::function<void()> gate_;
};

}  // namespace halosoil
