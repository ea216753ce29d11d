// A file handed to the program from outside (its command line, a double-click on the desktop,
// a drop on the window, the recent files of the File menu) opens through the window's own
// actions, so it gives the same results and messages.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "CalibrationPage.h"
#include "MainForm.h"
#include "OutputFileLayout.h"
#include "OutputPage.h"
#include "RecentFilesMenu.h"

namespace halosoil {

namespace {

// An output file is known by its extension or, renamed, by its first line.
bool IsOutputFile(const QString& fileName) {
    if (QFileInfo(fileName).suffix().compare("out", Qt::CaseInsensitive) == 0) return true;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.readLine(256).trimmed().startsWith(output_layout::kHeading);
}

bool IsObservationsFile(const QString& fileName) {
    return QFileInfo(fileName).suffix().compare("csv", Qt::CaseInsensitive) == 0;
}

// The local files of a drag that the window opens: input, output and observations files.
QStringList DroppedFiles(const QMimeData* mime) {
    QStringList files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
        const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
        if (suffix == "inp" || suffix == "out" || suffix == "csv") files << url.toLocalFile();
    }
    return files;
}

}  // namespace

void MainForm::BuildFileMenu() {
    RecentFilesMenu::Actions actions;
    actions.openInput = [this] {
        ShowPage("InpTab");
        OpenInputFile();
    };
    actions.openOutput = [this] { outputPage->OpenOutButtonClick(); };
    actions.openObservations = [this] {
        ShowPage("CalTab");
        calibrationPage->OpenObservationsButtonClick();
    };
    actions.openRecent = [this](const QString& path) { OpenFileNamed(path); };
    actions.guarded = [this](const std::function<void()>& action) { Guarded(action); };
    recentFiles_ = new RecentFilesMenu(menuBar(), std::move(actions));
}

void MainForm::OpenFileNamed(const QString& fileName) {
    if (IsObservationsFile(fileName)) {
        ShowPage("CalTab");
        calibrationPage->OpenObservationsNamed(QFileInfo(fileName).absoluteFilePath());
        return;
    }
    OpenFileFromOutside(fileName);
}

void MainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainForm::dropEvent(QDropEvent* event) {
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    // One file at a time, as each open action takes one; the first of several.
    const QString file = files.first();
    Guarded([this, &file] { OpenFileNamed(file); });
}

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
