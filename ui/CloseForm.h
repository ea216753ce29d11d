// The closing window: shown instead of closing the main window; closing it ends the program.
#pragma once

#include <QWidget>
#include <functional>

class QPlainTextEdit;

namespace halosoil {

// Ends the event loop, whatever the windows say to a close request.
void EndProgram();

class CloseForm : public QWidget {
    Q_OBJECT
public:
    explicit CloseForm(QWidget* parent = nullptr);

    // What closing this window does; ends the event loop unless a test replaces it.
    void SetOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

    QPlainTextEdit* CloseMemo = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> onClosed_;
};

}  // namespace halosoil
