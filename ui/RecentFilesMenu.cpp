#include "RecentFilesMenu.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace halosoil {

RecentFilesMenu::RecentFilesMenu(QMenuBar* bar, Actions actions)
    : QObject(bar), actions_(std::move(actions)) {
    // The File menu comes first, as in every program; the Edit menu follows it.
    QMenu* file = new QMenu("&File", bar);
    file->setObjectName("FileMenu");
    bar->insertMenu(bar->actions().isEmpty() ? nullptr : bar->actions().first(), file);
    const struct {
        const char* name;
        const char* text;
        const std::function<void()>* action;
    } kItems[] = {
        {"OpenInputItem", "Open &input...", &actions_.openInput},
        {"OpenOutputItem", "Open &output...", &actions_.openOutput},
        {"OpenObservationsItem", "Open o&bservations...", &actions_.openObservations},
        {"OpenFieldsLayerItem", "Open fields &layer...", &actions_.openFieldsLayer},
        {"OpenRegionResultsItem", "Open region &results...", &actions_.openRegionResults},
    };
    for (const auto& item : kItems) {
        QAction* action = file->addAction(item.text);
        action->setObjectName(item.name);
        const std::function<void()>& run = *item.action;
        connect(action, &QAction::triggered, this, [this, &run] { actions_.guarded(run); });
    }
    file->addSeparator();
    recent_ = file->addMenu("&Recent files");
    recent_->setObjectName("RecentFilesMenu");
    Rebuild();
}

void RecentFilesMenu::Remember(const QString& path) {
    if (path.isEmpty()) return;
    const QString whole = QFileInfo(path).absoluteFilePath();
    files_.removeAll(whole);
    files_.prepend(whole);
    while (files_.size() > kMostRecent) files_.removeLast();
    Rebuild();
}

void RecentFilesMenu::Rebuild() {
    recent_->clear();
    if (files_.isEmpty()) {
        QAction* none = recent_->addAction("(none yet)");
        none->setEnabled(false);
        return;
    }
    for (int k = 0; k < files_.size(); ++k) {
        const QString path = files_[k];
        QAction* action =
            recent_->addAction(QString("&%1 %2").arg(k + 1).arg(QFileInfo(path).fileName()));
        action->setObjectName(QString("RecentFile%1").arg(k + 1));
        action->setToolTip(path);
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this,
                [this, path] { actions_.guarded([this, path] { actions_.openRecent(path); }); });
    }
}

}  // namespace halosoil
