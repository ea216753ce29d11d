#include "SaltPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "Errors.h"
#include "LayerCarryOver.h"
#include "PanelWidgets.h"
#include "StringGrid.h"
#include "StringToFloat.h"

namespace halosoil {

namespace {

constexpr int kSaltColumnWidth = 72;

struct SaltTexts {
    const char* heading;
    const char* rootZoneLabel;  // over the root-zone layers; empty with one layer
    QStringList columnLabels;
    const char* note;
    const char* firstPassMessage;
};

// index: layer count 1..3. The texts differ in small ways between the layer counts, the
// missing blank after the comma and the double blank in "Transition  zone" included: users
// know the panels by them.
const SaltTexts& TextsOf(int layers) {
    static const SaltTexts kTexts[4] = {
        {},
        {"Measured salinity (dS/m), if any",
         "",
         {"Root zone", "Transition  zone", "Aquifer"},
         "Data can be pasted here",
         "The salinity data were saved. Continue with the Drainage data.."},
        {"Measured salinity (dS/m),if any",
         "- - - - Root zone - - - -",
         {"1st layer", "2nd layer", "Transition  zone", "Aquifer"},
         "Data can be pasted here from clip board",
         "The salinity data were saved. Continue with the Drainage data .."},
        {"Measured salinity (dS/m), if any",
         " - - - - - - - - - Root zone - - - - - - - - - ",
         {"1st layer", "2nd layer", "3rd layer", "Transition  zone", "Aquifer"},
         "Data can be pasted here from clip board",
         "The salinity data were saved. Continue with the Drainage data .."},
    };
    return kTexts[layers];
}

}  // namespace

SaltPanel::SaltPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, int layers,
                     QWidget* parent)
    : InputPanelFrame(data, workflow, dialogs, QString("Salt%1Panel").arg(layers), parent),
      layers_(layers) {
    const SaltTexts& texts = TextsOf(layers);
    const QString rootZoneLabel = texts.rootZoneLabel;
    const QString prefix = QString("Salt%1").arg(layers);
    Grid = MakeStepGrid(this, QString("SaltGrid%1").arg(layers), texts.heading, layers + 3,
                        kSaltColumnWidth);
    Grid->setMinimumWidth((layers + 3) * kSaltColumnWidth + 24);
    MakeFootButtons(prefix + "QuitButton", prefix + "SaveButton");

    // Labels above the zone columns; the root-zone label spans its layers.
    auto* labels = new QGridLayout;
    labels->setSpacing(0);
    labels->setColumnMinimumWidth(0, kSaltColumnWidth);
    const int rootLabelRow = rootZoneLabel.isEmpty() ? 1 : 0;
    if (!rootZoneLabel.isEmpty()) {
        QLabel* root = MakeLabel(this, rootZoneLabel);
        root->setAlignment(Qt::AlignCenter);
        labels->addWidget(root, 0, 1, 1, layers);
    }
    for (int i = 0; i < texts.columnLabels.size(); ++i) {
        QLabel* label = MakeLabel(this, texts.columnLabels[i]);
        label->setAlignment(Qt::AlignCenter);
        label->setFixedWidth(kSaltColumnWidth);
        label->setWordWrap(true);
        const bool layerLabel = i < layers && layers > 1;
        labels->addWidget(label, layerLabel ? 1 : rootLabelRow, i + 1,
                          layerLabel ? 1 : 2 - rootLabelRow, 1, Qt::AlignBottom);
    }
    labels->setColumnStretch(layers + 3, 1);

    auto* content = new QVBoxLayout;
    content->addLayout(labels);
    content->addWidget(Grid, 1);
    LayOut(MakeHeading(this, texts.heading, true), content, true,
           MakeLabel(this, texts.note, prefix + "NoteLabel"));
}

// Measurements are optional: a cell that is empty or not a number is a missing one.
void SaltPanel::SaveButtonClick() {
    const std::vector<int> zones = ZonesOf(layers_);
    for (int zone : zones) SizeSeries(data_.MeasSalt[zone], data_.NrTst);
    for (int row = 1; row <= data_.NrTst; ++row) {
        for (int zone : zones) {
            const QString text = Grid->Cell(SaltColumnOf(zone, layers_), row);
            double value = kMissing;
            if (!text.isEmpty()) {
                try {
                    value = StringToFloat(text.toStdString());
                } catch (const ConversionError&) {
                    value = kMissing;
                }
            }
            data_.MeasSalt[zone][row] = value;
        }
    }
    SavedMessage("The salinity data were saved.", TextsOf(layers_).firstPassMessage);
    emit Saved();
}

}  // namespace halosoil
