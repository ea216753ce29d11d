// What every input panel is given and how it reports: the project record it reads its fields
// into, the workflow it asks for the form of its messages, the dialogs it speaks through, and
// the signals Saved and Cancelled with which the Input page moves the workflow on. A panel
// knows no other panel and not the page.
#pragma once

#include <QFrame>

#include "Dialogs.h"
#include "InputData.h"
#include "InputWorkflow.h"

class QLabel;
class QLayout;
class QPushButton;

namespace halosoil {

class InputPanelFrame : public QFrame {
    Q_OBJECT
public:
    InputPanelFrame(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs,
                    const QString& name, QWidget* parent);

    // What the foot's buttons do: Save checks the panel's values, stores them and says so;
    // Cancel gives the panel up (a panel may first put back a choice it changed).
    virtual void SaveButtonClick() = 0;
    virtual void CancelButtonClick() { emit Cancelled(); }

    // The Cancel and Save buttons at the panel's foot.
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* SaveButton() const { return saveButton_; }

signals:
    // The panel's Save passed its checks and stored its values.
    void Saved();
    void Cancelled();

protected:
    // Makes the Cancel and Save buttons of the foot under their program names and runs
    // their handlers through RunGuarded.
    void MakeFootButtons(const QString& cancelName, const QString& saveName, bool bold = false);
    // Lays the panel out: its heading, its content, and at the foot the Cancel and Save
    // buttons at the right with `beside` (a note or a help button), if any, at the left.
    // Content that does not stretch (fields) sits at the top.
    void LayOut(QLabel* heading, QLayout* content, bool contentStretches,
                QWidget* beside = nullptr);
    // The long message on the first pass, the short one once the input is complete.
    void SavedMessage(const QString& complete, const QString& firstPass);

    InputData& data_;
    const InputWorkflow& workflow_;
    Dialogs& dialogs_;

private:
    QPushButton* cancelButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};

}  // namespace halosoil
