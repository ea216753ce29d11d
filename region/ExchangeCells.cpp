#include "ExchangeCells.h"

#include <cmath>

#include "Errors.h"
#include "LayerSource.h"
#include "ShortestText.h"
#include "StringToFloat.h"

namespace halosoil::region {

namespace {

struct CellValue {
    bool present = false;
    double number = 0;
    std::string shown;  // as the refusal quotes it
    bool isNumber = true;
};

CellValue ValueOf(const OGRFeature& feature, int index) {
    CellValue value;
    if (index < 0 || !feature.IsFieldSetAndNotNull(index)) return value;
    const OGRFieldType type = feature.GetFieldDefnRef(index)->GetType();
    if (type == OFTInteger || type == OFTInteger64 || type == OFTReal) {
        value.present = true;
        value.number = feature.GetFieldAsDouble(index);
        value.shown = study::ShortestText(value.number);
        return value;
    }
    const std::string text = feature.GetFieldAsString(index);
    if (text.find_first_not_of(" \t") == std::string::npos) return value;
    value.present = true;
    value.shown = "'" + text + "'";
    try {
        value.number = PointStringToFloat(text);
    } catch (const HalosoilError&) {
        value.isNumber = false;
    }
    return value;
}

std::string Refusal(const std::string& id, const char* column, const CellValue& value,
                    const std::string& why) {
    return "Field " + id + ": column " + column + " holds " + value.shown + ": " + why;
}

// The number of a cell, or the refusal of the field when it holds none.
bool NumberOf(const std::string& id, const char* column, const CellValue& value, double& number,
              std::string& refusal) {
    if (!value.isNumber) {
        refusal = Refusal(id, column, value, "not a number");
        return false;
    }
    if (!std::isfinite(value.number)) {
        refusal = Refusal(id, column, value, "not a finite number");
        return false;
    }
    number = value.number;
    return true;
}

}  // namespace

std::vector<ExchangeCells> ExchangeCellsOf(const FieldLayer& layer) {
    const FieldLayer::Source& source = layer.SourceOf();
    const OGRFeatureDefn& definition = *source.layer->GetLayerDefn();
    const int elevation = definition.GetFieldIndex(kElevationColumn);
    const int transmissivity = definition.GetFieldIndex(kTransmissivityColumn);
    const int boundaryHead = definition.GetFieldIndex(kBoundaryHeadColumn);
    std::vector<ExchangeCells> cells(source.features.size());
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const OGRFeature& feature = *source.features[k];
        const std::string& id = layer.Fields()[k].id;
        ExchangeCells& field = cells[k];
        const CellValue z = ValueOf(feature, elevation);
        if (z.present && !NumberOf(id, kElevationColumn, z, field.elevation, field.refusal))
            continue;
        const CellValue t = ValueOf(feature, transmissivity);
        if (t.present) {
            if (!NumberOf(id, kTransmissivityColumn, t, field.transmissivity, field.refusal))
                continue;
            if (field.transmissivity < 0) {
                field.refusal =
                    Refusal(id, kTransmissivityColumn, t, "a transmissivity cannot be negative");
                continue;
            }
        }
        const CellValue h = ValueOf(feature, boundaryHead);
        if (h.present) {
            if (!NumberOf(id, kBoundaryHeadColumn, h, field.boundaryHead, field.refusal)) continue;
            field.hasBoundaryHead = true;
        }
    }
    return cells;
}

}  // namespace halosoil::region
