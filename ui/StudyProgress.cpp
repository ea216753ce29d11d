#include "StudyProgress.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "ShowStudyEnd.h"
#include "StudyButtons.h"
#include "StudyWorker.h"

namespace halosoil {

StudyProgress::StudyProgress(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), worker_(new StudyWorker(this)) {
    auto* row = new QHBoxLayout(this);
    // The row stands in the page's layout as its widgets would on their own.
    row->setContentsMargins(0, 0, 0, 0);
    bar_ = Named(new QProgressBar, "StudyProgressBar", "Progress of the study");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    cancelButton_ = StudyButton(this, dialogs_, "StudyCancelButton", "Cancel",
                                &StudyProgress::CancelButtonClick);
    cancelButton_->setEnabled(false);
    statusLabel_ = Named(new QLabel, "StudyStatusLabel", "State of the study");
    row->addWidget(bar_, 1);
    row->addWidget(cancelButton_);
    row->addWidget(statusLabel_, 2);

    connect(worker_, &StudyWorker::Progress, this, [this](long long done, long long total) {
        if (!worker_->Busy() || total <= 0) return;
        bar_->setValue(static_cast<int>(done * 100 / total));
    });
}

void StudyProgress::Start(const QString& what, int threads,
                          std::function<void(const study::StudyOptions&)> work,
                          std::function<void()> done) {
    bar_->setValue(0);
    statusLabel_->setText(what + "...");
    worker_->Start(
        threads, std::move(work),
        [this, done = std::move(done)](std::exception_ptr error) { Ended(error, done); });
    cancelButton_->setEnabled(worker_->Busy());
    emit Changed();
}

void StudyProgress::Ended(std::exception_ptr error, const std::function<void()>& done) {
    cancelButton_->setEnabled(worker_->Busy());
    emit Changed();
    ShowStudyEnd<study::StudyCancelled>(dialogs_, error, bar_, statusLabel_, [&] {
        done();
        emit Changed();
    });
}

void StudyProgress::SetStatus(const QString& text) {
    statusLabel_->setText(text);
}

bool StudyProgress::Busy() const {
    return worker_->Busy();
}

void StudyProgress::CancelButtonClick() {
    worker_->Cancel();
}

void StudyProgress::Wait() {
    worker_->Join();
}

}  // namespace halosoil
