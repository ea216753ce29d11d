// The window that explains the drainage reaction factors QH1 and QH2 from Hooghoudt's
// equation; shown without blocking the main window.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace halosoil {

class DrainForm : public QWidget {
    Q_OBJECT
public:
    explicit DrainForm(QWidget* parent = nullptr);

    QPlainTextEdit* DrainMemo = nullptr;
};

}  // namespace halosoil
