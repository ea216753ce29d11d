#include "InputReadDisplay.h"

#include <QComboBox>
#include <QLineEdit>

#include "CondPanel.h"
#include "DrainPanel.h"
#include "GenPanel.h"
#include "HydrPanel.h"
#include "IrrSalPanel.h"
#include "LayerCarryOver.h"
#include "NumberFormat.h"
#include "SoilPanel.h"
#include "StringGrid.h"

namespace halosoil {

namespace {

QString ReadValueText(double value) {
    return QString::fromStdString(GeneralText(value));
}

void EnsureRows(StringGrid& grid, int nrTst) {
    const int rows = std::max(nrTst, 0) + 1;
    if (grid.RowCount() != rows) grid.SetRowCount(rows);
}

}  // namespace

void InputReadDisplay::ItemRead(InputItem item, int index) {
    GenPanel& gen = *panels_.general;
    switch (item) {
        case InputItem::Title1:
            gen.Tit1Edit->setText(QString::fromLatin1(data_.Title1));
            break;
        case InputItem::Title2:
            gen.Tit2Edit->setText(QString::fromLatin1(data_.Title2));
            break;
        case InputItem::NrTst:
            gen.NrTstEdit->setText(QString::number(data_.NrTst));
            break;
        case InputItem::TstLength:
            gen.ShowStepLength(data_.TstLength);
            break;
        case InputItem::DrainPresent:
            ShowDrainage();
            break;
        case InputItem::DrainDepth:
        case InputItem::QH1:
        case InputItem::QH2:
        case InputItem::SaltIrrig:
        case InputItem::WTdepth:
        case InputItem::CritDepth:
        case InputItem::MoistAndIrrEff:
        case InputItem::GrwtInf:
        case InputItem::GrwtOut:
        case InputItem::SalInf:
            ShowNumbers(item);
            break;
        case InputItem::NrLayers: {
            // The panels of the file's layer count receive its soil and salinity data.
            workflow_.SetSavedLayers(data_.NrLayers);
            const int layers = LayerCount(data_);
            gen.LayersCombo->setCurrentIndex(layers - 1);
            break;
        }
        case InputItem::InitSalt: {
            const int layers = LayerCount(data_);
            panels_.SoilGrid(layers)->SetCell(4, SoilRowOf(index, layers),
                                              ReadValueText(data_.InitSalt[index]));
            break;
        }
        case InputItem::Rain:
        case InputItem::Irrig:
        case InputItem::Evap:
        case InputItem::IrrSal:
            ShowHydrologicalValue(item, index);
            break;
        case InputItem::Thick:
            // The hydrological block is behind the reader: a file of no time steps had no
            // row to size the grids by.
            ShowHydrologicalFrame();
            ShowSoilValue(0, data_.Thick[index], index);
            break;
        case InputItem::TotPor:
            ShowSoilValue(1, data_.TotPor[index], index);
            break;
        case InputItem::EffPor:
            ShowSoilValue(2, data_.EffPor[index], index);
            break;
        case InputItem::LeachEff:
            ShowSoilValue(3, data_.LeachEff[index], index);
            break;
    }
}

void InputReadDisplay::ShowNumbers(InputItem item) {
    const DrainPanel& drain = *panels_.drainage;
    const CondPanel& cond = *panels_.conditions;
    // The fields that show one number of the record each, by the item it is read as; the
    // moisture and the irrigation efficiency are read as one.
    const struct {
        InputItem item;
        QLineEdit* edit;
        double InputData::*value;
    } kFields[] = {
        {InputItem::DrainDepth, drain.DrainDepthEdit, &InputData::DrainDepth},
        {InputItem::QH1, drain.DrainQH1Edit, &InputData::QH1},
        {InputItem::QH2, drain.DrainQH2Edit, &InputData::QH2},
        {InputItem::SaltIrrig, cond.Edit(CondPanel::Field::SaltIrrig), &InputData::SaltIrrig},
        {InputItem::WTdepth, cond.Edit(CondPanel::Field::WTdepth), &InputData::WTdepth},
        {InputItem::CritDepth, cond.Edit(CondPanel::Field::CritDepth), &InputData::CritDepth},
        {InputItem::MoistAndIrrEff, cond.Edit(CondPanel::Field::Moist), &InputData::Moist},
        {InputItem::MoistAndIrrEff, cond.Edit(CondPanel::Field::IrrEff), &InputData::IrrEff},
        {InputItem::GrwtInf, cond.Edit(CondPanel::Field::GrwtInf), &InputData::GrwtInf},
        {InputItem::GrwtOut, cond.Edit(CondPanel::Field::GrwtOut), &InputData::GrwtOut},
        {InputItem::SalInf, cond.Edit(CondPanel::Field::SalInf), &InputData::SalInf},
    };
    for (const auto& field : kFields)
        if (field.item == item) field.edit->setText(ReadValueText(data_.*field.value));
}

void InputReadDisplay::ShowDrainage() {
    DrainPanel& drain = *panels_.drainage;
    const bool present = data_.DrainPresent;
    drain.DrainPresentCombo->setCurrentIndex(present ? 1 : 0);
    workflow_.SetSavedDrainChoice(present ? 1 : 0);
    drain.EnableDrainFields(present);
    if (!present) {
        for (QLineEdit* edit : {drain.DrainDepthEdit, drain.DrainQH1Edit, drain.DrainQH2Edit})
            edit->setText(" ");
    }
}

void InputReadDisplay::ShowHydrologicalFrame() {
    const int nrTst = data_.NrTst;
    EnsureRows(*panels_.HydrGrid(), nrTst);
    EnsureRows(*panels_.IrrSalGrid(), nrTst);
    panels_.HydrGrid()->SetCell(0, 0, "Time step");
}

void InputReadDisplay::ShowMeasuredFrame() {
    for (int count = 1; count <= 3; ++count) panels_.SaltGrid(count)->SetCell(0, 0, "Time step");
    EnsureRows(*panels_.SaltGrid(LayerCount(data_)), data_.NrTst);
}

void InputReadDisplay::ReadingEnded() {
    ShowMeasuredFrame();
}

void InputReadDisplay::ShowHydrologicalValue(InputItem item, int step) {
    StringGrid& hydr = *panels_.HydrGrid();
    StringGrid& irrSal = *panels_.IrrSalGrid();
    switch (item) {
        case InputItem::Rain:
            // The first value of the row: the grids get their size and the row its number.
            ShowHydrologicalFrame();
            hydr.SetCell(0, step, QString::number(step));
            irrSal.SetCell(0, step, QString::number(step));
            hydr.SetCell(1, step, ReadValueText(data_.Rain[step]));
            break;
        case InputItem::Irrig:
            hydr.SetCell(2, step, ReadValueText(data_.Irrig[step]));
            break;
        case InputItem::Evap:
            hydr.SetCell(3, step, ReadValueText(data_.Evap[step]));
            break;
        default:
            irrSal.SetCell(1, step, ReadValueText(data_.IrrSal[step]));
            break;
    }
}

void InputReadDisplay::ShowSoilValue(int column, double value, int zone) {
    const int layers = LayerCount(data_);
    panels_.SoilGrid(layers)->SetCell(column, SoilRowOf(zone, layers), ReadValueText(value));
}

void InputReadDisplay::MeasuredRowRead(int step,
                                       const std::array<std::string, kZoneCount + 1>& texts) {
    const int layers = LayerCount(data_);
    ShowMeasuredFrame();
    for (int count = 1; count <= 3; ++count)
        panels_.SaltGrid(count)->SetCell(0, step, QString::number(step));
    StringGrid& grid = *panels_.SaltGrid(layers);
    for (int zone : ZonesOf(layers))
        grid.SetCell(SaltColumnOf(zone, layers), step, QString::fromStdString(texts[zone]));
}

}  // namespace halosoil
