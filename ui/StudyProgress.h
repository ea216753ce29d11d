// The run row of the Calibration page, shared by its studies: the worker they run on one at a
// time, the bar of its progress, Cancel, and the state of the last study (or of the last file
// read or saved).
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "Dialogs.h"
#include "InputData.h"
#include "MemberRuns.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace halosoil {

class StudyWorker;

class StudyProgress : public QWidget {
    Q_OBJECT
public:
    explicit StudyProgress(Dialogs& dialogs, QWidget* parent = nullptr);

    // Starts work on the worker with threads for its members, telling "what..."; done runs
    // on this thread when it went through.
    void Start(const QString& what, int threads,
               std::function<void(const study::StudyOptions&)> work, std::function<void()> done);
    // Runs a study of project on the worker with the worker's options; show gets its result
    // on this thread when it went through.
    template <class Settings, class Result, class Show>
    void Run(const QString& what, int threads, const InputData& project, Settings settings,
             Result (*run)(const InputData&, const Settings&), Show show) {
        auto result = std::make_shared<Result>();
        Start(
            what, threads,
            [base = project, settings, run, result](const study::StudyOptions& options) mutable {
                settings.options = options;
                *result = run(base, settings);
            },
            [result, show = std::move(show)] { show(std::move(*result)); });
    }

    void SetStatus(const QString& text);
    bool Busy() const;
    void CancelButtonClick();
    // Waits for a running study and delivers its end (for tests, which have no event loop
    // running while they wait).
    void Wait();
    StudyWorker& Worker() { return *worker_; }

signals:
    // A study began or ended, or what it ended with is shown: the page enables its
    // controls again.
    void Changed();

private:
    void Ended(std::exception_ptr error, const std::function<void()>& done);

    Dialogs& dialogs_;
    StudyWorker* worker_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* statusLabel_ = nullptr;
};

}  // namespace halosoil
