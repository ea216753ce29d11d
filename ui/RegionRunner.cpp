#include "RegionRunner.h"

#include <mutex>

#include "RegionLibrary.h"
#include "StudyWorker.h"

namespace halosoil {

namespace {

// What the run's thread hands back: its summary and messages.
struct RunOutcome {
    std::mutex mutex;
    region::RegionSummary summary;
    QStringList messages;
};

}  // namespace

RegionRunner::RegionRunner(QObject* parent) : QObject(parent), worker_(new StudyWorker(this)) {
    connect(worker_, &StudyWorker::Progress, this, &RegionRunner::Progress);
}

bool RegionRunner::Busy() const {
    return worker_->Busy();
}

void RegionRunner::Cancel() {
    worker_->Cancel();
}

void RegionRunner::Join() {
    worker_->Join();
}

void RegionRunner::Start(const region::RegionOptions& options,
                         std::shared_ptr<const InputData> base, Done done) {
    auto outcome = std::make_shared<RunOutcome>();
    worker_->Start(
        options.threads,
        [options, base, outcome](const study::StudyOptions& worker) {
            region::RegionOptions run = options;
            run.baseData = base.get();
            run.cancel = worker.cancel;
            run.progress = worker.progress;
            run.message = [outcome](const std::string& text) {
                const std::lock_guard<std::mutex> lock(outcome->mutex);
                outcome->messages << QString::fromStdString(text);
            };
            const region::RegionSummary summary = RegionLibrary::Run(run);
            const std::lock_guard<std::mutex> lock(outcome->mutex);
            outcome->summary = summary;
        },
        [outcome, done = std::move(done)](std::exception_ptr error) {
            const std::lock_guard<std::mutex> lock(outcome->mutex);
            done(error, outcome->summary, outcome->messages);
        });
}

}  // namespace halosoil
