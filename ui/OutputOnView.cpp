#include "OutputOnView.h"

#include "NativeFileName.h"

namespace halosoil {

QString ReadFailureText(const std::exception& error, const QString& fileName) {
    const QString text = QString::fromStdString(error.what());
    return text.contains(fileName) ? text : "In the file " + fileName + ": " + text;
}

bool ReadOutputOnView(const OutputOnView& view, const QString& fileName, Dialogs& dialogs) {
    try {
        ReadOutputFile(ToNative(fileName), view.data, view.results, view.readBack);
        return true;
    } catch (const std::exception& error) {
        dialogs.Message(ReadFailureText(error, fileName));
        return false;
    }
}

}  // namespace halosoil
