#include "InputPanelFrame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ActionGuard.h"
#include "PanelWidgets.h"

namespace halosoil {

InputPanelFrame::InputPanelFrame(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs,
                                 const QString& name, QWidget* parent)
    : QFrame(parent), data_(data), workflow_(workflow), dialogs_(dialogs) {
    SetUpPanelFrame(this, name);
}

void InputPanelFrame::MakeFootButtons(const QString& cancelName, const QString& saveName,
                                      bool bold) {
    cancelButton_ = MakeButton(this, cancelName, "Cancel", bold);
    saveButton_ = MakeButton(this, saveName, "Save", bold);
    ConnectGuarded<InputPanelFrame>(this, dialogs_,
                                    {{saveButton_, &InputPanelFrame::SaveButtonClick},
                                     {cancelButton_, &InputPanelFrame::CancelButtonClick}});
}

void InputPanelFrame::LayOut(QLabel* heading, QLayout* content, bool contentStretches,
                             QWidget* beside) {
    auto* buttons = new QHBoxLayout;
    if (beside) buttons->addWidget(beside);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(saveButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(content, contentStretches ? 1 : 0);
    if (!contentStretches) layout->addStretch(1);
    layout->addLayout(buttons);
}

void InputPanelFrame::SavedMessage(const QString& complete, const QString& firstPass) {
    dialogs_.Message(workflow_.Complete() ? complete : firstPass);
}

}  // namespace halosoil
