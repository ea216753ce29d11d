#include "RegionLegend.h"

#include <QPixmap>

namespace halosoil {

namespace {

QIcon Swatch(Color color) {
    QPixmap swatch(16, 16);
    swatch.fill(QColor(color.r, color.g, color.b));
    return QIcon(swatch);
}

}  // namespace

RegionLegend::RegionLegend(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::NoSelection);
    setMaximumWidth(220);
}

void RegionLegend::ShowClasses(const QString& title, const region::MapClasses& classes,
                               const std::vector<std::string>& labels, int missing) {
    clear();
    addItem(title);
    for (int k = 0; k < classes.Count(); ++k)
        addItem(
            new QListWidgetItem(Swatch(classes.colors[k]), QString::fromStdString(labels.at(k))));
    if (missing > 0)
        addItem(new QListWidgetItem(
            Swatch(region::kNoDataColor),
            QString("no data (%1 %2)").arg(missing).arg(missing == 1 ? "field" : "fields")));
}

}  // namespace halosoil
