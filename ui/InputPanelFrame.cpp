#include "InputPanelFrame.h"

#include <QPushButton>

#include "ActionGuard.h"
#include "PanelWidgets.h"

namespace halosoil {

InputPanelFrame::InputPanelFrame(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs,
                                 const QString& name, QWidget* parent)
    : QFrame(parent), data_(data), workflow_(workflow), dialogs_(dialogs) {
    SetUpPanelFrame(this, name);
}

void InputPanelFrame::OnClick(QPushButton* button, std::function<void()> handler) {
    connect(button, &QPushButton::clicked, this,
            [this, handler = std::move(handler)] { RunGuarded(dialogs_, handler); });
}

void InputPanelFrame::SavedMessage(const QString& complete, const QString& firstPass) {
    dialogs_.Message(workflow_.Complete() ? complete : firstPass);
}

}  // namespace halosoil
