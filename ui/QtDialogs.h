// The Dialogs of the running program: Qt message boxes, file dialogs and the clipboard.
#pragma once

#include <QWidget>

#include "Dialogs.h"

namespace halosoil {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Message(const QString& text) override;
    bool YesNo(const QString& question) override;
    std::optional<QString> OpenFile(const FileDialogSpec& spec) override;
    std::optional<QString> SaveFile(const FileDialogSpec& spec) override;
    void SetClipboardText(const QString& text) override;
    QString ClipboardText() override;
    void Pause(int milliseconds) override;

private:
    QWidget* parent_;
};

}  // namespace halosoil
