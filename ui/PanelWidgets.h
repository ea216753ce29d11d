// Small builders for the input panels: headings, named fields and buttons, so that every
// panel is laid out the same way and every widget carries its program name.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <vector>

#include "StringGrid.h"

namespace halosoil {

inline QLabel* MakeLabel(QWidget* parent, const QString& text, const QString& name = {}) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) label->setObjectName(name);
    return label;
}

inline QLabel* MakeHeading(QWidget* parent, const QString& text, bool underlined,
                           const QString& name = {}) {
    QLabel* label = MakeLabel(parent, text, name);
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(underlined);
    label->setFont(font);
    return label;
}

inline QLineEdit* MakeEdit(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

inline QComboBox* MakeCombo(QWidget* parent, const QString& name, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    return combo;
}

inline QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text,
                               bool bold = false) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    if (bold) {
        QFont font = button->font();
        font.setBold(true);
        button->setFont(font);
    }
    return button;
}

// A label that names its field: a screen reader announces the field by the label's text, and
// the label's mnemonic, if any, moves the focus to the field.
inline QLabel* MakeLabelFor(QWidget* parent, const QString& text, QWidget* field,
                            const QString& name = {}) {
    QLabel* label = MakeLabel(parent, text, name);
    label->setBuddy(field);
    field->setAccessibleName(text);
    return label;
}

// The Tab key walks the widgets in the order given, the order in which the panel is read.
inline void SetReadingOrder(const std::vector<QWidget*>& widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

// A grid of one row per time step under a heading row (12 rows until the number of steps is
// known), scrolled up and down.
inline StringGrid* MakeStepGrid(QWidget* parent, const QString& name, const QString& accessible,
                                int columns, int columnWidth) {
    auto* grid = new StringGrid(columns, 12, parent);
    grid->setObjectName(name);
    grid->setAccessibleName(accessible);
    grid->verticalHeader()->setDefaultSectionSize(24);
    grid->horizontalHeader()->setDefaultSectionSize(columnWidth);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return grid;
}

// The frame every input panel sits in.
inline void SetUpPanelFrame(QFrame* panel, const QString& name) {
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
}

}  // namespace halosoil
