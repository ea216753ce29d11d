#include "QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QThread>

namespace halosoil {

namespace {

// "input files (*.inp)|*.inp" is shown by Qt as "input files (*.inp)"; a filter of several
// pairs ("... (*.bmp)|*.bmp|... (*.png)|*.png") becomes one entry per pair.
QString QtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (qsizetype k = 0; k < parts.size(); k += 2) entries << parts[k];
    return entries.join(";;");
}

// The extension of an entry's pattern, "png" for "PNG images (*.png)".
QString ExtensionOfEntry(const QString& entry) {
    const qsizetype star = entry.lastIndexOf("*.");
    if (star < 0) return {};
    QString extension = entry.mid(star + 2);
    const qsizetype end = extension.indexOf(QRegularExpression("[^A-Za-z0-9]"));
    if (end >= 0) extension.truncate(end);
    return extension;
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || extension.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + "." + extension;
}

}  // namespace

void QtDialogs::Message(const QString& text) {
    QMessageBox::information(parent_, QCoreApplication::applicationName(), text);
}

bool QtDialogs::YesNo(const QString& question) {
    return QMessageBox::question(parent_, QCoreApplication::applicationName(), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::OpenFile(const FileDialogSpec& spec) {
    QFileDialog dialog(parent_, QString(), spec.initialFolder, QtFilter(spec.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // A name typed without extension opens the file of that name with the default one.
    dialog.setDefaultSuffix(spec.defaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    const QString withExtension = WithDefaultExtension(path, spec.defaultExtension);
    if (!QFileInfo::exists(path) && QFileInfo::exists(withExtension)) return withExtension;
    return path;
}

std::optional<QString> QtDialogs::SaveFile(const FileDialogSpec& spec) {
    QFileDialog dialog(parent_, QString(), spec.initialFolder, QtFilter(spec.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(spec.defaultExtension);
    // A name typed without extension takes the one of the format chosen in the dialog.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& entry) {
                         const QString extension = ExtensionOfEntry(entry);
                         if (!extension.isEmpty()) dialog.setDefaultSuffix(extension);
                     });
    // The caller asks its own overwrite question, in the program's words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return WithDefaultExtension(dialog.selectedFiles().first(), dialog.defaultSuffix());
}

void QtDialogs::SetClipboardText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

QString QtDialogs::ClipboardText() {
    QString text = QApplication::clipboard()->text();
    // Spreadsheets on this platform end the lines of a copied block with a line feed alone;
    // the grids take a block's rows by the carriage return that ends them elsewhere.
    if (!text.contains('\r')) text.replace('\n', "\r\n");
    return text;
}

void QtDialogs::Pause(int milliseconds) {
    // The window thread waits, as the earlier program's did, but keeps painting.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(5);
    }
}

}  // namespace halosoil
