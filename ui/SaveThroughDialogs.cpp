#include "SaveThroughDialogs.h"

#include <QFileInfo>
#include <optional>

namespace halosoil {

void SaveThroughDialogs(Dialogs& dialogs, const SaveTexts& texts, const QString& startFolder,
                        QString& lastFolder,
                        const std::function<std::optional<QString>(const QString&)>& write) {
    const QString folder = lastFolder.isEmpty() ? startFolder : lastFolder;
    const std::optional<QString> chosen = dialogs.SaveFile({texts.filter, texts.extension, folder});
    if (!chosen) {
        dialogs.Message(texts.notSaved);
        return;
    }
    lastFolder = QFileInfo(*chosen).absolutePath();
    if (QFileInfo::exists(*chosen) && !dialogs.YesNo(texts.overwriteQuestion)) return;

    const std::optional<QString> reason = write(*chosen);
    if (reason) {
        dialogs.Message("Cannot create file \"" + *chosen + "\". " + *reason);
        return;
    }
    dialogs.Message(texts.savedAs + *chosen);
}

}  // namespace halosoil
