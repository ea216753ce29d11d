// The legend beside the Region page's map: the quantity and its unit, each class's colour and
// range as `halosoil-batch map` writes them, and the grey of the fields without a value.
#pragma once

#include <QListWidget>
#include <string>
#include <vector>

#include "MapClasses.h"

namespace halosoil {

class RegionLegend : public QListWidget {
    Q_OBJECT
public:
    explicit RegionLegend(QWidget* parent = nullptr);

    // title over the classes; labels one per class; the grey's line when missing fields have
    // no value.
    void ShowClasses(const QString& title, const region::MapClasses& classes,
                     const std::vector<std::string>& labels, int missing);
};

}  // namespace halosoil
