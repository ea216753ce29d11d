// Writes the project record as the input data file, line by line in the fixed layout.
// Before anything reaches the disk every number line is checked against the reader's
// columns, so that a value too wide for its column is refused instead of being written
// where the reader cannot find it again.

#include <string>
#include <vector>

#include "AtomicFile.h"
#include "Errors.h"
#include "InputFile.h"
#include "InputFileLayout.h"
#include "NumberFormat.h"
#include "SeriesCheck.h"
#include "StringToFloat.h"
#include "TextFields.h"

namespace halosoil {

namespace layout = input_layout;

namespace {

const char* kCrLf = "\r\n";

// A line of fixed-width fields whose values must be found again in the reader's columns.
class CheckedLine {
public:
    explicit CheckedLine(std::string start = {}) : text_(std::move(start)) {}

    void Text(const std::string& text) { text_ += text; }

    void Value(const std::string& written, layout::Columns readAt, std::string fieldName) {
        const std::size_t textStart = text_.size() + written.find_first_not_of(' ') + 1;
        text_ += written;
        fields_.push_back({written, static_cast<int>(textStart), static_cast<int>(text_.size()),
                           readAt, std::move(fieldName)});
    }

    // The reader's column ranges of a line do not overlap, so a value it finds whole in its
    // own range is read back as written.
    std::string Finished() const {
        for (const auto& field : fields_) {
            if (field.first < field.readAt.from || field.last > field.readAt.to)
                throw HalosoilError("The value " + WithoutSpaces(field.written) + " of " +
                                    field.name +
                                    " is too wide for its column in the input file. Nothing "
                                    "was written.");
        }
        return text_;
    }

private:
    struct Field {
        std::string written;
        int first, last;  // the columns of the value's text
        layout::Columns readAt;
        std::string name;
    };
    std::string text_;
    std::vector<Field> fields_;
};

class InputWriter {
public:
    explicit InputWriter(InputData& data) : d_(data) {}

    std::string Text() {
        if (d_.FlaggedLayers() == 0)
            throw HalosoilError(
                "The number of root zone layers is not set. Please save the "
                "general data first.");
        if (d_.NrTst != 0)
            d_.HydrRows = d_.NrTst;
        else
            d_.NrTst = d_.HydrRows;
        CheckSeriesLengths(d_);
        CheckTitle(d_.Title1, "first title");
        CheckTitle(d_.Title2, "second title");
        GeneralBlock();
        DrainageBlock();
        InitialBlock();
        HydrologicalBlock();
        SoilBlock();
        MeasuredBlock();
        return out_;
    }

private:
    void Line(const std::string& text) { out_ += text + kCrLf; }
    void Line(const CheckedLine& line) { Line(line.Finished()); }

    static void CheckTitle(const std::string& title, const std::string& name) {
        if (title.find_first_of("\r\n") != std::string::npos)
            throw HalosoilError("The " + name + " must be a single line. Nothing was written.");
    }

    // A label followed by a real right-aligned in its field; the reader takes columns
    // from..to of the line.
    void LabelledValue(const std::string& label, double value, int width, int decimals,
                       layout::Columns readAt, const std::string& name) {
        CheckedLine line(label);
        line.Value(Fixed(value, width, decimals), readAt, name);
        Line(line);
    }

    void InitialValue(const std::string& label, double value, int width, int decimals,
                      const std::string& name) {
        LabelledValue(label, value, width, decimals,
                      {layout::kInitialValueFrom, layout::kInitialValueTo}, name);
    }

    void GeneralBlock() {
        Line(layout::kHeading);
        Line(std::string(layout::kFileName) + d_.InputFileName);
        Line(std::string(layout::kTitle1) + d_.Title1);
        Line(std::string(layout::kTitle2) + d_.Title2);
        Line(layout::kGeneral);
        Line(std::string(layout::kNrTst) + Whole(d_.NrTst));
        Line(std::string(layout::kTstLength) + Whole(d_.TstLength));
        Line(std::string(layout::kNrLayers) + Whole(d_.NrLayers));
    }

    void DrainageBlock() {
        Line(layout::kDrainage);
        if (!d_.DrainPresent) {
            Line(layout::kDrainNo);
            Line(layout::kDrainDepthNA);
            Line(layout::kQH1NA);
            Line(layout::kQH2NA);
            return;
        }
        Line(layout::kDrainYes);
        const layout::Columns drainColumns{29, 38};
        LabelledValue(layout::kDrainDepth, d_.DrainDepth, 7, 2, drainColumns, "the drain depth");
        LabelledValue(layout::kQH1, d_.QH1, 8, 4, drainColumns, "QH1");
        LabelledValue(layout::kQH2, d_.QH2, 8, 4, drainColumns, "QH2");
    }

    void InitialBlock() {
        Line(layout::kInitial);
        InitialValue(layout::kSaltIrrig, d_.SaltIrrig, 8, 1, "the irrigation water salinity");
        Line(std::string(layout::kLayerCount) + std::to_string(LayerCount(d_)));
        if (d_.OneLayer) {
            InitialValue(layout::kInitSaltRoot, d_.InitSalt[Layer1], 8, 1,
                         "the initial salinity of the root zone");
        } else {
            InitialValue(layout::kInitSaltLayer1, d_.InitSalt[Layer1], 8, 1,
                         "the initial salinity of the 1st layer");
            InitialValue(layout::kInitSaltLayer2, d_.InitSalt[Layer2], 8, 1,
                         "the initial salinity of the 2nd layer");
            if (d_.ThreeLayers)
                InitialValue(layout::kInitSaltLayer3, d_.InitSalt[Layer3], 8, 1,
                             "the initial salinity of the 3rd layer");
        }
        InitialValue(layout::kInitSaltTrans, d_.InitSalt[Trans], 7, 1,
                     "the initial salinity of the transition zone");
        InitialValue(layout::kInitSaltAquif, d_.InitSalt[Aquif], 7, 1,
                     "the initial salinity of the aquifer");
        InitialValue(layout::kWTdepth, d_.WTdepth, 7, 2, "the initial depth of the water table");
        InitialValue(layout::kCritDepth, d_.CritDepth, 7, 2, "the critical depth");
        InitialValue(layout::kMoist, d_.Moist, 7, 2, "the initial soil moisture");
        InitialValue(layout::kIrrEff, d_.IrrEff, 7, 1, "the irrigation efficiency");
        InitialValue(layout::kGrwtInf, d_.GrwtInf, 7, 1, "the inflow of groundwater");
        InitialValue(layout::kGrwtOut, d_.GrwtOut, 7, 1, "the outflow of groundwater");
        InitialValue(layout::kSalInf, d_.SalInf, 7, 1, "the salinity of the groundwater inflow");
    }

    void HydrologicalBlock() {
        Line("");
        Line(layout::kHydrological);
        Line(layout::kHydrHeading);
        Line(layout::kHydrUnits);
        for (int i = 1; i <= d_.NrTst; ++i) {
            const std::string step = " of time step " + std::to_string(i);
            CheckedLine line(Whole(i, 10));
            line.Value(Fixed(d_.Rain[i], 13, 2), layout::kHydrColumns[0], "the rainfall" + step);
            line.Value(Fixed(d_.Irrig[i], 16, 2), layout::kHydrColumns[1], "the irrigation" + step);
            line.Value(Fixed(d_.Evap[i], 15, 2), layout::kHydrColumns[2], "the evaporation" + step);
            line.Value(Fixed(d_.IrrSal[i], 15, 2), layout::kHydrColumns[3],
                       "the irrigation salinity" + step);
            Line(line);
        }
    }

    static std::string ZoneName(int zone) {
        static const char* names[] = {
            "",           "the 1st layer", "the 2nd layer", "the 3rd layer", "the transition zone",
            "the aquifer"};
        return names[zone];
    }

    void ThicknessLine(const std::vector<int>& zones, const std::vector<int>& widths,
                       const layout::Columns* readAt) {
        CheckedLine line;
        for (std::size_t k = 0; k < zones.size(); ++k)
            line.Value(Fixed(d_.Thick[zones[k]], widths[k], 2), readAt[k],
                       "the thickness of " + ZoneName(zones[k]));
        Line(line);
    }

    void PorosityRows(const std::vector<int>& zones, const std::vector<const char*>& labels) {
        for (std::size_t k = 0; k < zones.size(); ++k) {
            const int z = zones[k];
            CheckedLine line(labels[k]);
            line.Value(Fixed(d_.TotPor[z], 15, 0), layout::kPorosityColumns[0],
                       "the total porosity of " + ZoneName(z));
            line.Value(Fixed(d_.EffPor[z], 20, 0), layout::kPorosityColumns[1],
                       "the effective porosity of " + ZoneName(z));
            line.Value(Fixed(d_.LeachEff[z], 21, 0), layout::kPorosityColumns[2],
                       "the leaching efficiency of " + ZoneName(z));
            Line(line);
        }
    }

    void SoilBlock() {
        Line("");
        for (const char* heading : layout::SoilHeading(LayerCount(d_))) Line(heading);
        if (d_.OneLayer) {
            ThicknessLine({Layer1, Trans, Aquif}, {10, 18, 10}, layout::kThickColumns1);
        } else if (d_.TwoLayers) {
            ThicknessLine({Layer1, Layer2, Trans, Aquif}, {7, 10, 17, 10}, layout::kThickColumns2);
        } else {
            ThicknessLine({Layer1, Layer2, Layer3, Trans, Aquif}, {7, 10, 10, 17, 10},
                          layout::kThickColumns3);
        }
        Line("");
        Line(layout::kOtherSoil);
        Line(layout::kPorosityHeading);
        if (d_.OneLayer)
            PorosityRows({Layer1, Trans, Aquif},
                         {layout::kRowRootZone, layout::kRowTrans, layout::kRowAquif});
        else if (d_.TwoLayers)
            PorosityRows({Layer1, Layer2, Trans, Aquif}, {layout::kRowLayer1, layout::kRowLayer2,
                                                          layout::kRowTrans, layout::kRowAquif});
        else
            PorosityRows({Layer1, Layer2, Layer3, Trans, Aquif},
                         {layout::kRowLayer1, layout::kRowLayer2, layout::kRowLayer3,
                          layout::kRowTrans, layout::kRowAquif});
    }

    // A measured value, or the hyphen placeholder (sometimes one column narrower) when the
    // step has no measurement.
    void MeasuredField(CheckedLine& line, int zone, int step, int width, int placeholderWidth,
                       layout::Columns readAt) {
        const double value = d_.MeasSalt[zone][step];
        const std::string written = Format2(value, width);
        // A value that rounds to 0.00 or -1.00 would read back as no measurement; it is
        // written as one, so that the file says what a reader takes from it.
        if (value == kMissing || value == 0 || ReadsAsMissing(written)) {
            line.Text(PadLeft("-", placeholderWidth));
            return;
        }
        line.Value(
            written, readAt,
            "the measured salinity of " + ZoneName(zone) + " in time step " + std::to_string(step));
    }

    static bool ReadsAsMissing(std::string written) {
        for (char& c : written)
            if (c == ',') c = '.';
        try {
            const double readBack = PointStringToFloat(written);
            return readBack == 0 || readBack == kMissing;
        } catch (const ConversionError&) {
            return false;  // not a number at all: refused with the value's own message
        }
    }

    void MeasuredBlock() {
        Line("");
        struct Field {
            int zone, width, placeholder;
        };
        std::vector<Field> fields;
        const layout::Columns* readAt = layout::MeasColumns(LayerCount(d_));
        for (const char* heading : layout::MeasuredHeading(LayerCount(d_))) Line(heading);
        if (d_.OneLayer) {
            fields = {{Layer1, 12, 11}, {Trans, 18, 17}, {Aquif, 10, 9}};
        } else if (d_.TwoLayers) {
            fields = {{Layer1, 8, 8}, {Layer2, 9, 9}, {Trans, 18, 18}, {Aquif, 10, 9}};
        } else {
            fields = {
                {Layer1, 8, 8}, {Layer2, 8, 8}, {Layer3, 8, 8}, {Trans, 18, 17}, {Aquif, 10, 9}};
        }
        for (int i = 1; i <= d_.NrTst; ++i) {
            CheckedLine line(Whole(i, 10));
            for (std::size_t k = 0; k < fields.size(); ++k)
                MeasuredField(line, fields[k].zone, i, fields[k].width, fields[k].placeholder,
                              readAt[k]);
            Line(line);
        }
    }

    InputData& d_;
    std::string out_;
};

}  // namespace

std::string InputFileText(InputData& data) {
    return InputWriter(data).Text();
}

void WriteInputFile(InputData& data) {
    const std::string text = InputFileText(data);
    WriteFileAtomically(data.InputFileName, text);
    PrepareIrrigSpread(data);
}

}  // namespace halosoil
