// The window as a screen reader meets it, through Qt's accessibility interface: every input
// field, drop-down list and grid of the panels is announced by what it holds, and the Tab key
// walks a panel in its reading order.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <functional>

#include "MainFormFixture.h"
#include "OutputPage.h"

namespace halosoil::test {
namespace {

// What a screen reader announces a field by: the label it is labelled by when there is one
// (on this platform Qt gives a drop-down list its current item as name and its label as a
// relation), otherwise its name.
QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (!accessible) return {};
    for (const auto& [label, relation] : accessible->relations(QAccessible::Label))
        if (label && !label->text(QAccessible::Name).isEmpty())
            return label->text(QAccessible::Name);
    return accessible->text(QAccessible::Name);
}

// The fields, lists and grids of a panel; the editors a grid opens on a cell belong to it.
QList<QWidget*> FieldsOf(QWidget* panel) {
    QList<QWidget*> fields;
    for (QWidget* child : panel->findChildren<QWidget*>()) {
        const bool field = qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child) ||
                           qobject_cast<StringGrid*>(child);
        bool insideGrid = false;
        for (QWidget* up = child->parentWidget(); up && up != panel; up = up->parentWidget())
            insideGrid =
                insideGrid || qobject_cast<StringGrid*>(up) || qobject_cast<QComboBox*>(up);
        if (field && !insideGrid) fields << child;
    }
    return fields;
}

using Accessibility = MainFormTest;

TEST_F(Accessibility, EveryFieldAndGridOfThePanelsHasANameOfItsOwn) {
    QList<QWidget*> panels = {W<GenPanel>("GenPanel"), W<HydrPanel>("HydrPanel"),
                              W<IrrSalPanel>("IrrSalPanel"), W<DrainPanel>("DrainPanel"),
                              W<CondPanel>("CondPanel")};
    for (int layers = 1; layers <= 3; ++layers)
        panels << W<SoilPanel>(QString("Soil%1Panel").arg(layers))
               << W<SaltPanel>(QString("Salt%1Panel").arg(layers));
    int checked = 0;
    for (QWidget* panel : panels) {
        SCOPED_TRACE(panel->objectName().toStdString());
        QSet<QString> names;
        for (QWidget* field : FieldsOf(panel)) {
            const QString name = AccessibleName(field);
            EXPECT_FALSE(name.trimmed().isEmpty()) << field->objectName().toStdString();
            EXPECT_FALSE(names.contains(name)) << name.toStdString();
            names << name;
            ++checked;
        }
    }
    // 5 general, 4 drainage, 8 condition fields and the 8 grids at least.
    EXPECT_GE(checked, 25);
}

TEST_F(Accessibility, FieldsAreNamedByTheLabelsBesideThem) {
    const struct {
        const char* field;
        const char* name;
    } kNames[] = {
        {"Tit1Edit", "Title1"},
        {"NrTstEdit", "Number of timesteps"},
        {"TstCombo", "Length of time steps"},
        {"LayersCombo", "Nr. of layers in root zone"},
        {"DrainPresentCombo", "Subsurface drainage system present?"},
        {"DrainQH1Edit", "Drainage reaction factor QH1 (m/day/m)"},
        {"WTdepthEdit", "Initial depth water table (m)"},
        {"SalInfEdit", "Salinity ground water inflow (dS/m)"},
        {"HydrGrid", "Hydrological data (mm per time step)"},
        {"IrrSalGrid", "Salinity irrigtion water"},
        {"Soil2Grid", "Soil properties, root zone of 2 layers"},
        {"OutGrid", "Output table"},
    };
    for (const auto& entry : kNames)
        EXPECT_EQ(AccessibleName(W<QWidget>(entry.field)), entry.name) << entry.field;
    // A label moves the focus to its field.
    EXPECT_EQ(W<GenPanel>("GenPanel")->findChild<QLineEdit*>("NrTstEdit"), [this] {
        for (QLabel* label : W<GenPanel>("GenPanel")->findChildren<QLabel*>())
            if (label->text() == "Number of timesteps") return label->buddy();
        return static_cast<QWidget*>(nullptr);
    }());
}

// The focusable widgets of the panel in the order the Tab key reaches them from the first.
QStringList TabWalk(QWidget* panel, QWidget* first, int steps) {
    QStringList walk;
    QWidget* widget = first;
    while (walk.size() < steps) {
        if (panel->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus))
            walk << widget->objectName();
        widget = widget->nextInFocusChain();
        if (widget == first) break;
    }
    return walk;
}

TEST_F(Accessibility, TheTabKeyFollowsTheReadingOrderOfThePanels) {
    EXPECT_EQ(TabWalk(W<GenPanel>("GenPanel"), W<QWidget>("Tit1Edit"), 7),
              (QStringList{"Tit1Edit", "Tit2Edit", "NrTstEdit", "TstCombo", "LayersCombo",
                           "GenQuitButton", "GenSaveButton"}));
    EXPECT_EQ(TabWalk(W<DrainPanel>("DrainPanel"), W<QWidget>("DrainPresentCombo"), 7),
              (QStringList{"DrainPresentCombo", "DrainDepthEdit", "DrainQH1Edit", "DrainQH2Edit",
                           "DrainHelpButton", "DrainQuitButton", "DrainSaveButton"}));
    EXPECT_EQ(TabWalk(W<CondPanel>("CondPanel"), W<QWidget>("SaltIrrigEdit"), 10),
              (QStringList{"SaltIrrigEdit", "WTdepthEdit", "CritDepthEdit", "MoistEdit",
                           "IrrEffEdit", "GrwtInfEdit", "GrwtOutEdit", "SalInfEdit",
                           "CondQuitButton", "CondSaveButton"}));
}

}  // namespace
}  // namespace halosoil::test

namespace halosoil::test {
namespace {

// Every panel, shown as its group button shows it: the Tab key meets its fields and buttons
// row by row from the top, and left to right within a row.
TEST_F(Accessibility, EveryPanelIsWalkedTopToBottomAndLeftToRight) {
    form->resize(806, 647);
    form->show();
    Pages()->setCurrentIndex(3);
    const struct {
        QString panel;
        std::function<void()> open;
    } kPanels[] = {
        {"GenPanel", [this] { form->Input().GenOpenButtonClick(); }},
        {"HydrPanel", [this] { form->Input().HydrOpenButtonClick(); }},
        {"Soil1Panel", [this] { form->Input().SoilOpenButtonClick(); }},
        {"Salt1Panel", [this] { form->Input().SaltOpenButtonClick(); }},
        {"IrrSalPanel", [this] { form->Input().IrrSalButtonClick(); }},
        {"DrainPanel", [this] { form->Input().DrainOpenButtonClick(); }},
        {"CondPanel", [this] { form->Input().CondOpenButtonClick(); }},
    };
    for (const auto& entry : kPanels) {
        SCOPED_TRACE(entry.panel.toStdString());
        entry.open();
        QApplication::processEvents();
        auto* panel = W<QWidget>(entry.panel);
        ASSERT_TRUE(panel->isVisible());
        QList<QWidget*> walk;
        QWidget* widget = panel->nextInFocusChain();
        for (int guard = 0; guard < 1000 && widget != panel; ++guard) {
            if (panel->isAncestorOf(widget) && widget->isVisible() &&
                (widget->focusPolicy() & Qt::TabFocus) && !walk.contains(widget))
                walk << widget;
            widget = widget->nextInFocusChain();
        }
        ASSERT_GE(walk.size(), 2);
        for (qsizetype k = 1; k < walk.size(); ++k) {
            const QRect before(walk[k - 1]->mapTo(panel, QPoint(0, 0)), walk[k - 1]->size());
            const QRect after(walk[k]->mapTo(panel, QPoint(0, 0)), walk[k]->size());
            const bool sameRow = after.top() < before.bottom() && before.top() < after.bottom();
            EXPECT_TRUE(sameRow ? after.left() > before.left() : after.top() >= before.bottom())
                << walk[k - 1]->objectName().toStdString() << " then "
                << walk[k]->objectName().toStdString();
        }
    }
    form->hide();
}

}  // namespace
}  // namespace halosoil::test
