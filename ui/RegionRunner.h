// A region run on a worker thread of its own (the studies' StudyWorker), so that the window answers
// while the fields run: its progress, Cancel, and the region's messages and summary delivered on
// the window's thread at the end.
#pragma once

#include <QObject>
#include <QStringList>
#include <exception>
#include <functional>
#include <memory>

#include "RegionRun.h"

namespace halosoil {

class StudyWorker;

class RegionRunner : public QObject {
    Q_OBJECT
public:
    explicit RegionRunner(QObject* parent = nullptr);

    // The end of a run: what it threw (null when it went through; RegionCancelled when
    // cancelled), its summary and its messages, in the order of the fields.
    using Done = std::function<void(std::exception_ptr error, const region::RegionSummary& summary,
                                    const QStringList& messages)>;

    // Runs the region of options from base (their cancel, progress, message and base data are
    // the runner's).
    void Start(const region::RegionOptions& options, std::shared_ptr<const InputData> base,
               Done done);
    bool Busy() const;
    void Cancel();
    // Waits for the run and delivers its end at once (the tests' way to wait).
    void Join();
    StudyWorker& Worker() { return *worker_; }

signals:
    void Progress(long long done, long long total);

private:
    StudyWorker* worker_;
};

}  // namespace halosoil
