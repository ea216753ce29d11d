// The File menu: the open actions of the pages, and the input and output files used in this
// session, most recent first. The program keeps no settings, so the list starts empty at
// every start.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QMenu;
class QMenuBar;

namespace halosoil {

class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    static constexpr int kMostRecent = 8;

    struct Actions {
        std::function<void()> openInput;
        std::function<void()> openOutput;
        std::function<void()> openObservations;
        std::function<void()> openFieldsLayer;
        std::function<void()> openRegionResults;
        // Opens a file of the list as the window opens a file handed to it from outside.
        std::function<void(const QString& path)> openRecent;
        // Runs an action inside the window's guard.
        std::function<void(const std::function<void()>&)> guarded;
    };

    RecentFilesMenu(QMenuBar* bar, Actions actions);

    // Puts the file at the head of the list (once).
    void Remember(const QString& path);
    const QStringList& Files() const { return files_; }

private:
    void Rebuild();

    Actions actions_;
    QMenu* recent_ = nullptr;
    QStringList files_;
};

}  // namespace halosoil
