// Small builders for the Calibration page and its studies' tabs: widgets that carry their
// program name and the name a screen reader announces, read-only tables, and the axes the
// studies' charts share.
#pragma once

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>
#include <initializer_list>

namespace halosoil {

// Values on the axes in four significant digits, whatever their size.
inline constexpr const char* kValueLabels = "%.4g";

template <class W>
W* Named(W* widget, const char* name, const QString& accessible) {
    widget->setObjectName(name);
    widget->setAccessibleName(accessible);
    return widget;
}

// A table of results: no row numbers, nothing to type in.
inline QTableWidget* Table(const char* name, const QString& accessible, int columns) {
    auto* table = Named(new QTableWidget(0, columns), name, accessible);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}

inline QTableWidget* Table(const char* name, const QString& accessible,
                           const QStringList& headings) {
    QTableWidget* table = Table(name, accessible, static_cast<int>(headings.size()));
    table->setHorizontalHeaderLabels(headings);
    return table;
}

// A row of buttons, and the fields they read, at the left of a tab.
inline QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) row->addWidget(widget);
    row->addStretch(1);
    return row;
}

// The time axis of a series per step, from the first step to the last (at least to 2, so a
// run of one step still has an axis to stand on).
inline QValueAxis* StepAxis(int steps) {
    auto* axis = new QValueAxis;
    axis->setTitleText("time step");
    axis->setLabelFormat("%d");
    axis->setRange(1, std::max(steps, 2));
    return axis;
}

inline QValueAxis* ValueAxis(const QString& title) {
    auto* axis = new QValueAxis;
    axis->setLabelFormat(kValueLabels);
    axis->setTitleText(title);
    return axis;
}

}  // namespace halosoil
