#include "QtRunHost.h"

#include <QProgressBar>

namespace halosoil {

bool QtRunHost::Ask(RunQuestion question) {
    return dialogs_.YesNo(QString::fromUtf8(QuestionText(question)));
}

void QtRunHost::ShowMessage(const std::string& message) {
    dialogs_.Message(QString::fromStdString(message));
}

void QtRunHost::SetProgress(int position) {
    if (progressBar_) progressBar_->setValue(position);
    dialogs_.Pause(100);
}

}  // namespace halosoil
