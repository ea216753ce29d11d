#include "SaltPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "Errors.h"
#include "GridPaste.h"
#include "IrrSalPanel.h"
#include "LayerCarryOver.h"
#include "PanelWidgets.h"
#include "StringGrid.h"
#include "StringToFloat.h"
#include "MainForm.h"

namespace halosoil {

namespace {

constexpr int kColumnWidth = 72;

}  // namespace

SaltPanel::SaltPanel(MainForm& form, int layers, const Texts& texts, QWidget* parent)
    : QFrame(parent), form_(form), layers_(layers), firstPassMessage_(texts.firstPassMessage) {
    const QString prefix = QString("Salt%1").arg(layers);
    SetUpPanelFrame(this, prefix + "Panel");
    Grid = new StringGrid(layers + 3, 12, this);
    Grid->setObjectName(QString("SaltGrid%1").arg(layers));
    Grid->setAccessibleName(texts.heading);
    Grid->verticalHeader()->setDefaultSectionSize(24);
    Grid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Grid->setMinimumWidth((layers + 3) * kColumnWidth + 24);
    QuitButton = MakeButton(this, prefix + "QuitButton", "Cancel");
    SaveButton = MakeButton(this, prefix + "SaveButton", "Save");

    // Labels above the zone columns; the root-zone label spans its layers.
    auto* labels = new QGridLayout;
    labels->setSpacing(0);
    labels->setColumnMinimumWidth(0, kColumnWidth);
    const int rootLabelRow = texts.rootZoneLabel.isEmpty() ? 1 : 0;
    if (!texts.rootZoneLabel.isEmpty()) {
        QLabel* root = MakeLabel(this, texts.rootZoneLabel);
        root->setAlignment(Qt::AlignCenter);
        labels->addWidget(root, 0, 1, 1, layers);
    }
    for (int i = 0; i < texts.columnLabels.size(); ++i) {
        QLabel* label = MakeLabel(this, texts.columnLabels[i]);
        label->setAlignment(Qt::AlignCenter);
        label->setFixedWidth(kColumnWidth);
        label->setWordWrap(true);
        const bool layerLabel = i < layers && layers > 1;
        labels->addWidget(label, layerLabel ? 1 : rootLabelRow, i + 1,
                          layerLabel ? 1 : 2 - rootLabelRow, 1, Qt::AlignBottom);
    }
    labels->setColumnStretch(layers + 3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MakeLabel(this, texts.note, prefix + "NoteLabel"));
    buttons->addStretch(1);
    buttons->addWidget(QuitButton);
    buttons->addWidget(SaveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeHeading(this, texts.heading, true));
    layout->addLayout(labels);
    layout->addWidget(Grid, 1);
    layout->addLayout(buttons);

    connect(SaveButton, &QPushButton::clicked, this,
            [this] { form_.Guarded([this] { SaveButtonClick(); }); });
    connect(QuitButton, &QPushButton::clicked, this,
            [this] { form_.Guarded([this] { QuitButtonClick(); }); });
}

// Measurements are optional: a cell that is empty or not a number is a missing one.
void SaltPanel::SaveButtonClick() {
    InputData& data = form_.Data();
    const std::vector<int> zones = ZonesOf(layers_);
    for (int zone : zones) SizeSeries(data.MeasSalt[zone], data.NrTst);
    for (int row = 1; row <= data.NrTst; ++row) {
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
            data.MeasSalt[zone][row] = value;
        }
    }
    form_.Dlg().Message(data.InputComplete ? QString("The salinity data were saved.")
                                           : firstPassMessage_);
    hide();
    QuitButton->setEnabled(true);
    form_.SettleGroupButtons();
    form_.IrrSalButton->setEnabled(true);
    form_.irrSalPanel->show();
}

void SaltPanel::QuitButtonClick() {
    hide();
    form_.SettleGroupButtons();
    form_.SaltOpenButton->setEnabled(true);
}

}  // namespace halosoil
