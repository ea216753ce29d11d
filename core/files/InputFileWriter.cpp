// Writes the project record as the input data file, line by line in the fixed layout, into
// one text that reaches the disk in one piece. Each number is checked against the reader's
// columns as it is added, so that a value too wide for its column is refused instead of being
// written where the reader cannot find it again; nothing is written then.

#include <string>
#include <string_view>
#include <vector>

#include "AtomicFile.h"
#include "Errors.h"
#include "InputFile.h"
#include "InputFileLayout.h"
#include "LineEnd.h"
#include "NumberFormat.h"
#include "SeriesCheck.h"
#include "StringToFloat.h"
#include "TextFields.h"

namespace halosoil {

namespace layout = input_layout;

namespace {

// Room for the text before it is written: the heading blocks, and per time step a
// hydrological row and a measured row of at most about 70 characters each.
constexpr std::size_t kHeadingBytes = 4096;
constexpr std::size_t kBytesPerStep = 160;

std::string ZoneName(int zone) {
    static const char* names[] = {
        "",           "the 1st layer", "the 2nd layer", "the 3rd layer", "the transition zone",
        "the aquifer"};
    return names[zone];
}

// What a value is called in the message that refuses it; spelled out only then.
struct FieldName {
    const char* what;  // "the rainfall", "the thickness of", ...
    int zone = 0;      // when not 0, the zone follows what
    int step = 0;      // when not 0, stepWords and the time step follow
    const char* stepWords = " of time step ";

    std::string Spelled() const {
        // Appended piece by piece: GCC 12 at -O3 misreads a sum of a text and a string as an
        // overlapping copy.
        std::string text = what;
        if (zone != 0) text.append(" ").append(ZoneName(zone));
        if (step != 0) text.append(stepWords).append(std::to_string(step));
        return text;
    }
};

class InputWriter {
public:
    // data has its rows settled: NrTst is the number of steps written.
    explicit InputWriter(const InputData& data) : d_(data) {}

    std::string Text() {
        if (d_.FlaggedLayers() == 0)
            throw HalosoilError(
                "The number of root zone layers is not set. Please save the "
                "general data first.");
        CheckSeriesLengths(d_);
        CheckTitle(d_.Title1, "first title");
        CheckTitle(d_.Title2, "second title");
        out_.reserve(kHeadingBytes + kBytesPerStep * static_cast<std::size_t>(d_.NrTst));
        GeneralBlock();
        DrainageBlock();
        InitialBlock();
        HydrologicalBlock();
        SoilBlock();
        MeasuredBlock();
        return std::move(out_);
    }

private:
    void Line(std::string_view text) {
        out_ += text;
        out_ += kCrLf;
    }
    void LabelAndText(std::string_view label, std::string_view text) {
        out_ += label;
        Line(text);
    }
    void StartLine(std::string_view text = {}) {
        lineStart_ = out_.size();
        out_ += text;
    }
    void EndLine() { out_ += kCrLf; }

    static void CheckTitle(const std::string& title, const std::string& name) {
        if (title.find_first_of("\r\n") != std::string::npos)
            throw HalosoilError("The " + name + " must be a single line. Nothing was written.");
    }

    // The value text that ends the line so far, begun at fieldStart, must stand whole in the
    // reader's columns; the reader's column ranges of a line do not overlap, so a value it
    // finds there is read back as written.
    void CheckColumns(std::size_t fieldStart, layout::Columns readAt, const FieldName& name) {
        const auto first =
            static_cast<int>(out_.find_first_not_of(' ', fieldStart) - lineStart_) + 1;
        const auto last = static_cast<int>(out_.size() - lineStart_);
        if (first >= readAt.from && last <= readAt.to) return;
        const std::string_view written = std::string_view(out_).substr(fieldStart);
        throw HalosoilError("The value " + WithoutSpaces(written) + " of " + name.Spelled() +
                            " is too wide for its column in the input file. Nothing was "
                            "written.");
    }

    // A real right-aligned in its field, which the reader takes from columns readAt.
    void Value(double value, int width, int decimals, layout::Columns readAt,
               const FieldName& name) {
        const std::size_t fieldStart = out_.size();
        AppendFixed(out_, value, width, decimals);
        CheckColumns(fieldStart, readAt, name);
    }

    void LabelledValue(const char* label, double value, int width, int decimals,
                       layout::Columns readAt, const char* name) {
        StartLine(label);
        Value(value, width, decimals, readAt, {name});
        EndLine();
    }

    void InitialValue(const char* label, double value, int width, int decimals, const char* name) {
        LabelledValue(label, value, width, decimals,
                      {layout::kInitialValueFrom, layout::kInitialValueTo}, name);
    }

    void GeneralBlock() {
        Line(layout::kHeading);
        LabelAndText(layout::kFileName, d_.InputFileName);
        LabelAndText(layout::kTitle1, d_.Title1);
        LabelAndText(layout::kTitle2, d_.Title2);
        Line(layout::kGeneral);
        LabelAndText(layout::kNrTst, Whole(d_.NrTst));
        LabelAndText(layout::kTstLength, Whole(d_.TstLength));
        LabelAndText(layout::kNrLayers, Whole(d_.NrLayers));
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
        LabelAndText(layout::kLayerCount, Whole(LayerCount(d_)));
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
            StartLine();
            AppendWhole(out_, i, 10);
            Value(d_.Rain[i], 13, 2, layout::kHydrColumns[0], {"the rainfall", 0, i});
            Value(d_.Irrig[i], 16, 2, layout::kHydrColumns[1], {"the irrigation", 0, i});
            Value(d_.Evap[i], 15, 2, layout::kHydrColumns[2], {"the evaporation", 0, i});
            Value(d_.IrrSal[i], 15, 2, layout::kHydrColumns[3], {"the irrigation salinity", 0, i});
            EndLine();
        }
    }

    void ThicknessLine(const std::vector<int>& zones, const std::vector<int>& widths,
                       const layout::Columns* readAt) {
        StartLine();
        for (std::size_t k = 0; k < zones.size(); ++k)
            Value(d_.Thick[zones[k]], widths[k], 2, readAt[k], {"the thickness of", zones[k]});
        EndLine();
    }

    void PorosityRows(const std::vector<int>& zones, const std::vector<const char*>& labels) {
        for (std::size_t k = 0; k < zones.size(); ++k) {
            const int z = zones[k];
            StartLine(labels[k]);
            Value(d_.TotPor[z], 15, 0, layout::kPorosityColumns[0], {"the total porosity of", z});
            Value(d_.EffPor[z], 20, 0, layout::kPorosityColumns[1],
                  {"the effective porosity of", z});
            Value(d_.LeachEff[z], 21, 0, layout::kPorosityColumns[2],
                  {"the leaching efficiency of", z});
            EndLine();
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

    // A measured value with the program-wide separator, or the hyphen placeholder (sometimes
    // one column narrower) when the step has no measurement.
    void MeasuredField(int zone, int step, int width, int placeholderWidth,
                       layout::Columns readAt) {
        const double value = d_.MeasSalt[zone][step];
        const std::size_t fieldStart = out_.size();
        if (value != kMissing && value != 0) {
            AppendFixed(out_, value, width, 2);
            // A value that rounds to 0.00 or -1.00 would read back as no measurement; it is
            // written as one, so that the file says what a reader takes from it.
            if (!ReadsAsMissing(std::string_view(out_).substr(fieldStart))) {
                for (std::size_t k = fieldStart; k < out_.size(); ++k)
                    if (out_[k] == '.') out_[k] = DecimalSeparator();
                CheckColumns(fieldStart, readAt,
                             {"the measured salinity of", zone, step, " in time step "});
                return;
            }
            out_.resize(fieldStart);
        }
        if (placeholderWidth > 1) out_.append(static_cast<std::size_t>(placeholderWidth - 1), ' ');
        out_ += '-';
    }

    // written has the point as separator, as the number texts come.
    static bool ReadsAsMissing(std::string_view written) {
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
            StartLine();
            AppendWhole(out_, i, 10);
            for (std::size_t k = 0; k < fields.size(); ++k)
                MeasuredField(fields[k].zone, i, fields[k].width, fields[k].placeholder, readAt[k]);
            EndLine();
        }
    }

    const InputData& d_;
    std::string out_;
    std::size_t lineStart_ = 0;  // where the line being written begins in out_
};

}  // namespace

void SettleRows(InputData& data) {
    if (data.NrTst != 0)
        data.HydrRows = data.NrTst;
    else
        data.NrTst = data.HydrRows;
}

InputData AsWritten(const InputData& data) {
    InputData written = data;
    SettleRows(written);
    PrepareIrrigSpread(written);
    return written;
}

std::string InputFileText(const InputData& data) {
    // Only a record without time steps writes another number than its own, the rows'; the
    // others are written as they stand, without a copy.
    if (data.NrTst == 0) {
        InputData settled = data;
        SettleRows(settled);
        return InputWriter(settled).Text();
    }
    return InputWriter(data).Text();
}

InputData WriteInputFile(const InputData& data) {
    WriteFileAtomically(data.InputFileName, InputFileText(data));
    return AsWritten(data);
}

}  // namespace halosoil
