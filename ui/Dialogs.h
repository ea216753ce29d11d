// Everything that waits for a person: message boxes, Yes/No boxes, file dialogs, the
// clipboard and the pause. The window gets the Qt implementation; tests pass a scripted one
// that answers from a queue and records every text.
#pragma once

#include <QString>
#include <optional>

namespace halosoil {

struct FileDialogSpec {
    QString filter;            // as the program states it, e.g. "input files (*.inp)|*.inp"
    QString defaultExtension;  // without the point, e.g. "inp"
    QString initialFolder;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void Message(const QString& text) = 0;
    virtual bool YesNo(const QString& question) = 0;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<QString> OpenFile(const FileDialogSpec& spec) = 0;
    // The save dialog asks nothing about existing files; the caller does.
    virtual std::optional<QString> SaveFile(const FileDialogSpec& spec) = 0;
    virtual void SetClipboardText(const QString& text) = 0;
    virtual QString ClipboardText() = 0;
    virtual void Pause(int milliseconds) = 0;
};

}  // namespace halosoil
