// The Edit menu: copy, cut, delete and paste on the focused text field, text box or grid cell,
// all through the window's clipboard; the keys of copy, cut and paste in the text fields and
// text boxes go the same way.
#pragma once

#include <QObject>

#include "Dialogs.h"

class QMainWindow;

namespace halosoil {

class EditMenu : public QObject {
    Q_OBJECT
public:
    // Adds the menu to the window's menu bar and its hints to the status bar.
    EditMenu(QMainWindow& window, Dialogs& dialogs);
    ~EditMenu() override;

    void EditCopy();
    void EditCut();
    void EditDelete();
    void EditPaste();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMainWindow& window_;
    Dialogs& dialogs_;
};

}  // namespace halosoil
