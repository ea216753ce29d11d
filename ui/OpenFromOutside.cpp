// A file handed to the program from outside (its command line, a double-click on the desktop)
// opens through the window's own actions, so it gives the same results and messages.
#include <QFile>
#include <QFileInfo>

#include "MainForm.h"
#include "OutputFileLayout.h"
#include "OutputPage.h"

namespace halosoil {

namespace {

// An output file is known by its extension or, renamed, by its first line.
bool IsOutputFile(const QString& fileName) {
    if (QFileInfo(fileName).suffix().compare("out", Qt::CaseInsensitive) == 0) return true;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.readLine(256).trimmed().startsWith(output_layout::kHeading);
}

}  // namespace

void MainForm::OpenFileFromOutside(const QString& fileName) {
    // A dialog hands over a whole path; so does this, whatever folder the program started in.
    const QString path = QFileInfo(fileName).absoluteFilePath();
    if (IsOutputFile(path)) {
        if (outputPage->OpenOutputFile(path)) ShowPage("OutTab");
        return;
    }
    // Showing the Input page hides its panels; the opened input then shows the general data.
    ShowPage("InpTab");
    OpenInputNamed(path);
}

}  // namespace halosoil
