// The steps of saving a page's picture or table under a name the user chooses: the save
// dialog, the question before a file is replaced, the write and the message that tells how
// it went, each text as the page has always said it.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "Dialogs.h"

namespace halosoil {

struct SaveTexts {
    QString filter;
    QString extension;
    QString overwriteQuestion;
    QString notSaved;
    // Followed by the file's name.
    QString savedAs;
};

// The dialog opens in lastFolder, or in startFolder before any file was chosen; the chosen
// file's folder becomes lastFolder. write returns why the file could not be written, or
// nothing once it was.
void SaveThroughDialogs(Dialogs& dialogs, const SaveTexts& texts, const QString& startFolder,
                        QString& lastFolder,
                        const std::function<std::optional<QString>(const QString&)>& write);

}  // namespace halosoil
