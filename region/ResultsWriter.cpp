#include "ResultsWriter.h"

#include <cpl_error.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "Errors.h"
#include "LayerSource.h"
#include "ResultsSchema.h"

namespace halosoil::region {

namespace {

// Rows between commits: large enough that SQLite's commits cost little, small enough that the
// journal stays small.
constexpr int kRowsPerTransaction = 50000;

std::string TemporaryPathFor(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path();
    return (folder /
            ("." + target.filename().string() + "." + std::to_string(getpid()) + ".partial.gpkg"))
        .string();
}

[[noreturn]] void RefuseWriting(const std::string& path, const std::string& what) {
    const std::string gdal = CPLGetLastErrorMsg();
    throw HalosoilError(path + ": " + what + (gdal.empty() ? "" : " (" + gdal + ")"));
}

void SetId(OGRFeature& feature, int column, const std::string& id, bool integer) {
    if (integer)
        feature.SetField(column, static_cast<GIntBig>(std::stoll(id)));
    else
        feature.SetField(column, id.c_str());
}

void AddColumn(OGRLayer& layer, const char* name, OGRFieldType type, const std::string& path) {
    OGRFieldDefn column(name, type);
    if (layer.CreateField(&column) != OGRERR_NONE) RefuseWriting(path, "cannot add a column");
}

}  // namespace

struct ResultsWriter::Impl {
    std::string target;
    std::string temporary;
    const FieldLayer& layer;
    DatasetPtr dataset;
    OGRLayer* fields = nullptr;
    OGRLayer* steps = nullptr;
    std::vector<int> carriedMap;  // source column -> results column, -1 for none
    int fieldColumn = 0, statusColumn = 0, messageColumn = 0, firstSummaryColumn = 0;
    int rowsInTransaction = 0;
    bool finished = false;
    // A region with exchange; null otherwise.
    const FieldNetwork* network = nullptr;
    std::vector<bool> outerEdge;
    int neighbourCountColumn = 0, firstLateralColumn = 0;
    // A region with a crop: where its relative yield's summaries and steps go.
    bool relativeYield = false;
    int firstYieldSummaryColumn = 0, yieldStepColumn = 0;

    Impl(const std::string& path, const FieldLayer& fieldLayer)
        : target(path), temporary(TemporaryPathFor(path)), layer(fieldLayer) {}

    void Create();
    void CreateFieldsLayer();
    void CreateStepsTable();
    void WriteNeighboursTable();
    void Counted(int rows);
    void Write(OGRLayer& into, OGRFeature& feature) {
        if (into.CreateFeature(&feature) != OGRERR_NONE)
            RefuseWriting(target, "cannot write a row");
    }
};

void ResultsWriter::Impl::Create() {
    RegisterGdal();
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder))
        throw HalosoilError(target + ": the folder " + folder.string() + " does not exist");
    if (std::filesystem::is_directory(target)) throw HalosoilError(target + ": is a folder");
    std::filesystem::remove(temporary);
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    if (driver == nullptr) throw HalosoilError("GDAL has no GeoPackage driver");
    CPLErrorReset();
    dataset.reset(driver->Create(temporary.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) RefuseWriting(target, "cannot be written");
    CreateFieldsLayer();
    CreateStepsTable();
    if (dataset->StartTransaction() != OGRERR_NONE) RefuseWriting(target, "cannot be written");
}

void ResultsWriter::Impl::CreateFieldsLayer() {
    const FieldLayer::Source& source = layer.SourceOf();
    fields = dataset->CreateLayer(kFieldsLayer, source.layer->GetSpatialRef(), source.geometryType,
                                  nullptr);
    if (fields == nullptr) RefuseWriting(target, "cannot hold the fields layer");
    AddColumn(*fields, kFieldColumn, layer.IntegerIds() ? OFTInteger64 : OFTString, target);
    const OGRFeatureDefn& from = *source.layer->GetLayerDefn();
    carriedMap.assign(static_cast<std::size_t>(from.GetFieldCount()), -1);
    for (const int k : source.carried) {
        OGRFieldDefn column(from.GetFieldDefn(k));
        if (fields->CreateField(&column) != OGRERR_NONE)
            RefuseWriting(target, std::string("cannot carry the column ") + column.GetNameRef());
        carriedMap[static_cast<std::size_t>(k)] = fields->GetLayerDefn()->GetFieldCount() - 1;
    }
    statusColumn = fields->GetLayerDefn()->GetFieldCount();
    AddColumn(*fields, kStatusColumn, OFTString, target);
    messageColumn = statusColumn + 1;
    AddColumn(*fields, kMessageColumn, OFTString, target);
    firstSummaryColumn = messageColumn + 1;
    for (const study::QuantityInfo& info : study::Quantities())
        for (const Summary summary : kSummaries)
            AddColumn(*fields, SummaryColumn(info.quantity, summary).c_str(), OFTReal, target);
    if (relativeYield) {
        firstYieldSummaryColumn = fields->GetLayerDefn()->GetFieldCount();
        for (const Summary summary : kSummaries)
            AddColumn(*fields, RelativeYieldColumn(summary).c_str(), OFTReal, target);
    }
    if (network == nullptr) return;
    if (fields->GetLayerDefn()->GetFieldIndex(kNeighbourCountColumn) >= 0)
        throw HalosoilError(std::string("The layer has a column ") + kNeighbourCountColumn +
                            ", which a region whose fields share their groundwater fills with "
                            "each field's count of neighbours; rename it");
    neighbourCountColumn = fields->GetLayerDefn()->GetFieldCount();
    AddColumn(*fields, kNeighbourCountColumn, OFTInteger, target);
}

void ResultsWriter::Impl::CreateStepsTable() {
    steps = dataset->CreateLayer(kStepsTable, nullptr, wkbNone, nullptr);
    if (steps == nullptr) RefuseWriting(target, "cannot hold the steps table");
    AddColumn(*steps, kFieldColumn, layer.IntegerIds() ? OFTInteger64 : OFTString, target);
    AddColumn(*steps, kStepColumn, OFTInteger, target);
    for (const study::QuantityInfo& info : study::Quantities())
        AddColumn(*steps, info.name, OFTReal, target);
    if (relativeYield) {
        yieldStepColumn = steps->GetLayerDefn()->GetFieldCount();
        AddColumn(*steps, kRelativeYieldColumn, OFTReal, target);
    }
    if (network == nullptr) return;
    firstLateralColumn = steps->GetLayerDefn()->GetFieldCount();
    for (const char* name :
         {kLateralInflowColumn, kLateralOutflowColumn, kLateralSalinityColumn, kHeadColumn})
        AddColumn(*steps, name, OFTReal, target);
}

void ResultsWriter::Impl::WriteNeighboursTable() {
    OGRLayer* table = dataset->CreateLayer(kNeighboursTable, nullptr, wkbNone, nullptr);
    if (table == nullptr) RefuseWriting(target, "cannot hold the neighbours table");
    const OGRFieldType id = layer.IntegerIds() ? OFTInteger64 : OFTString;
    AddColumn(*table, kFieldColumn, id, target);
    AddColumn(*table, kNeighbourColumn, id, target);
    AddColumn(*table, kLengthColumn, OFTReal, target);
    AddColumn(*table, kDistanceColumn, OFTReal, target);
    const std::vector<FieldInput>& inputs = layer.Fields();
    OGRFeature row(table->GetLayerDefn());
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        SetId(row, 0, inputs[k].id, layer.IntegerIds());
        for (const Neighbour& neighbour : network->neighbours[k]) {
            row.SetFID(OGRNullFID);
            SetId(row, 1, inputs[neighbour.field].id, layer.IntegerIds());
            row.SetField(2, neighbour.length);
            row.SetField(3, neighbour.distance);
            Write(*table, row);
        }
        if (k < outerEdge.size() && outerEdge[k]) {
            row.SetFID(OGRNullFID);
            row.SetFieldNull(1);
            row.SetField(2, network->outerLength[k]);
            row.SetField(3, network->outerDistance[k]);
            Write(*table, row);
        }
        Counted(static_cast<int>(network->neighbours[k].size()) + 1);
    }
}

void ResultsWriter::Impl::Counted(int rows) {
    rowsInTransaction += rows;
    if (rowsInTransaction < kRowsPerTransaction) return;
    if (dataset->CommitTransaction() != OGRERR_NONE || dataset->StartTransaction() != OGRERR_NONE)
        RefuseWriting(target, "cannot be written");
    rowsInTransaction = 0;
}

ResultsWriter::ResultsWriter(const std::string& path, const FieldLayer& layer, bool relativeYield)
    : impl_(std::make_unique<Impl>(path, layer)) {
    impl_->relativeYield = relativeYield;
    impl_->Create();
}

ResultsWriter::ResultsWriter(const std::string& path, const FieldLayer& layer,
                             const FieldNetwork& network, const std::vector<bool>& outerEdge,
                             bool relativeYield)
    : impl_(std::make_unique<Impl>(path, layer)) {
    impl_->relativeYield = relativeYield;
    impl_->network = &network;
    impl_->outerEdge = outerEdge;
    impl_->Create();
}

ResultsWriter::~ResultsWriter() {
    if (impl_->finished) return;
    impl_->dataset.reset();
    std::error_code ignored;
    std::filesystem::remove(impl_->temporary, ignored);
}

void ResultsWriter::Add(std::size_t index, const FieldResult& result) {
    Impl& impl = *impl_;
    const FieldInput& input = impl.layer.Fields()[index];
    const OGRFeature& from = *impl.layer.SourceOf().features[index];

    OGRFeature feature(impl.fields->GetLayerDefn());
    feature.SetFrom(&from, impl.carriedMap.data(), TRUE);
    feature.SetFID(OGRNullFID);
    if (impl.layer.SourceOf().geometryType == wkbMultiPolygon && from.GetGeometryRef() != nullptr &&
        wkbFlatten(from.GetGeometryRef()->getGeometryType()) == wkbPolygon)
        feature.SetGeometryDirectly(
            OGRGeometryFactory::forceToMultiPolygon(from.GetGeometryRef()->clone()));
    SetId(feature, 0, input.id, impl.layer.IntegerIds());
    feature.SetField(impl.statusColumn, StatusName(result.status));
    if (result.message.empty())
        feature.SetFieldNull(impl.messageColumn);
    else
        feature.SetField(impl.messageColumn, result.message.c_str());
    int column = impl.firstSummaryColumn;
    for (const std::vector<double>& series : result.series)
        for (const Summary summary : kSummaries) {
            if (series.empty())
                feature.SetFieldNull(column);
            else
                feature.SetField(column, study::StatisticOf(series, summary));
            ++column;
        }
    if (impl.relativeYield)
        for (std::size_t s = 0; s < std::size(kSummaries); ++s) {
            const int at = impl.firstYieldSummaryColumn + static_cast<int>(s);
            if (result.relativeYield.empty())
                feature.SetFieldNull(at);
            else
                feature.SetField(at, study::StatisticOf(result.relativeYield, kSummaries[s]));
        }
    if (impl.network != nullptr)
        feature.SetField(impl.neighbourCountColumn,
                         static_cast<int>(impl.network->neighbours[index].size()));
    impl.Write(*impl.fields, feature);

    const int stepCount = result.Steps();
    OGRFeature row(impl.steps->GetLayerDefn());
    SetId(row, 0, input.id, impl.layer.IntegerIds());
    for (int step = 1; step <= stepCount; ++step) {
        row.SetFID(OGRNullFID);
        row.SetField(1, step);
        for (std::size_t q = 0; q < result.series.size(); ++q) {
            const std::vector<double>& series = result.series[q];
            if (series.empty())
                row.SetFieldNull(static_cast<int>(q) + 2);
            else
                row.SetField(static_cast<int>(q) + 2, series[static_cast<std::size_t>(step)]);
        }
        if (impl.relativeYield) {
            if (static_cast<int>(result.relativeYield.size()) > step)
                row.SetField(impl.yieldStepColumn,
                             result.relativeYield[static_cast<std::size_t>(step)]);
            else
                row.SetFieldNull(impl.yieldStepColumn);
        }
        if (impl.network != nullptr) {
            const std::vector<double>* lateral[] = {&result.lateralInflow, &result.lateralOutflow,
                                                    &result.lateralSalinity, &result.head};
            for (int c = 0; c < 4; ++c) {
                const std::vector<double>& series = *lateral[c];
                if (static_cast<int>(series.size()) > step)
                    row.SetField(impl.firstLateralColumn + c,
                                 series[static_cast<std::size_t>(step)]);
                else
                    row.SetFieldNull(impl.firstLateralColumn + c);
            }
        }
        impl.Write(*impl.steps, row);
    }
    impl.Counted(1 + stepCount);
}

void ResultsWriter::Finish(const RunRecord& run) {
    Impl& impl = *impl_;
    OGRLayer* table = impl.dataset->CreateLayer(kRunTable, nullptr, wkbNone, nullptr);
    if (table == nullptr) RefuseWriting(impl.target, "cannot hold the run table");
    for (const char* name : {kRunBaseColumn, kRunCommandColumn, kRunVersionColumn, kRunDateColumn})
        AddColumn(*table, name, OFTString, impl.target);
    if (impl.network != nullptr) AddColumn(*table, kRunNotesColumn, OFTString, impl.target);
    OGRFeature row(table->GetLayerDefn());
    row.SetField(0, run.base.c_str());
    row.SetField(1, run.command.c_str());
    row.SetField(2, run.version.c_str());
    row.SetField(3, run.date.c_str());
    if (impl.network != nullptr) {
        if (run.notes.empty())
            row.SetFieldNull(4);
        else
            row.SetField(4, run.notes.c_str());
    }
    impl.Write(*table, row);
    if (impl.network != nullptr) impl.WriteNeighboursTable();
    if (impl.dataset->CommitTransaction() != OGRERR_NONE)
        RefuseWriting(impl.target, "cannot be written");
    // The steps of a field are found by its id: QGIS's joins and the maps' step slider read
    // them so.
    CPLErrorReset();
    impl.dataset->ExecuteSQL("CREATE INDEX steps_field ON steps (field)", nullptr, nullptr);
    if (CPLGetLastErrorType() >= CE_Failure) RefuseWriting(impl.target, "cannot index the steps");
    impl.dataset.reset();
    if (CPLGetLastErrorType() >= CE_Failure) RefuseWriting(impl.target, "cannot be written");
    std::error_code error;
    std::filesystem::rename(impl.temporary, impl.target, error);
    if (error) throw HalosoilError(impl.target + ": " + error.message());
    impl.finished = true;
}

}  // namespace halosoil::region
