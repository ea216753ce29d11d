// Reads an input data file by counting lines and cutting columns, as the file has always been
// read. The file is read into memory with one call and then taken apart there; lines and
// fields are views into that text, so a number is converted where it stands. Values are stored
// in the record as soon as they are read, so that a failure keeps what came before it.
// Fixed-width fields always have the point as separator; only the measured salinities follow
// the program-wide separator.

#include <istream>
#include <iterator>
#include <string>
#include <string_view>

#include "Errors.h"
#include "FileContents.h"
#include "InputFile.h"
#include "InputFileLayout.h"
#include "LineCursor.h"
#include "StringToFloat.h"
#include "TextFields.h"
#include "TimeStepLimit.h"

namespace halosoil {

namespace layout = input_layout;

namespace {

constexpr const char* kInvalidNumber = "Invalid numeric input";
constexpr const char* kEndsEarly =
    "The input file ends before all its data were read; it may be damaged.";

// The start of a label as it is compared: lower case, letters and digits only.
std::string LabelWords(std::string_view line) {
    std::string words;
    for (char c : line) {
        if (c >= 'A' && c <= 'Z') words += static_cast<char>(c - 'A' + 'a');
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) words += c;
    }
    return words;
}

bool HasLabel(std::string_view line, const char* key) {
    return LabelWords(line).rfind(key, 0) == 0;
}

// Columns from..to (counted from 1) of a line, fewer when the line ends earlier.
std::string_view Columns(std::string_view line, int from, int to) {
    const std::size_t first = static_cast<std::size_t>(from) - 1;
    if (first >= line.size()) return {};
    return line.substr(first, static_cast<std::size_t>(to) - first);
}

std::string_view Columns(std::string_view line, layout::Columns columns) {
    return Columns(line, columns.from, columns.to);
}

std::string_view After(std::string_view line, int column) {
    return static_cast<std::size_t>(column) < line.size() ? line.substr(column)
                                                          : std::string_view();
}

class InputReader {
public:
    InputReader(std::string_view text, InputData& data, InputReadListener* listener)
        : lines_(text), d_(data), listener_(listener) {}

    void Read() {
        try {
            GeneralBlock();
            DrainageBlock();
            InitialBlock();
            HydrologicalBlock();
            SoilBlock();
            MeasuredBlock();
        } catch (HalosoilError& error) {
            if (error.Line() == 0) error.SetLine(lines_.LineNumber());
            throw;
        }
    }

private:
    // The next line whole. A file that ends before the reader has what it needs is refused:
    // read on, it would give empty fields that some places take as values.
    std::string_view NextLine() {
        if (started_) lines_.EndLine();
        started_ = true;
        if (lines_.PastEnd()) {
            HalosoilError error(kEndsEarly);
            error.SetLine(lines_.LineNumber());
            throw error;
        }
        return lines_.Line();
    }

    void SkipLines(int count) {
        for (int k = 0; k < count; ++k) NextLine();
    }

    void Tell(InputItem item, int index = 0) {
        if (listener_) listener_->ItemRead(item, index);
    }

    // The next line, which must carry the label that key starts; expected is the label of
    // the current layout, named when the line is another one.
    std::string_view Labelled(const char* key, const char* expected) {
        const std::string_view line = NextLine();
        if (!HasLabel(line, key)) RefuseLine(line, expected);
        return line;
    }

    [[noreturn]] void RefuseLine(std::string_view line, const char* expected) {
        throw HalosoilError("The input file is damaged: the line '" + std::string(line) +
                            "' stands where the line '" + Trimmed(expected) + "' belongs.");
    }

    // The whole number that follows the column.
    int WholeAfter(std::string_view line, int column) {
        const std::string_view text = After(line, column);
        std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos) throw HalosoilError(kInvalidNumber);
        std::size_t end = start;
        if (text[end] == '-' || text[end] == '+') ++end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
        int value = 0;
        if (!TryStringToInt(text.substr(start, end - start), value))
            throw HalosoilError(kInvalidNumber);
        return value;
    }

    double InitialValue(std::string_view line) {
        return PointStringToFloat(
            Columns(line, layout::kInitialValueFrom, layout::kInitialValueTo));
    }

    void GeneralBlock() {
        SkipLines(2);
        d_.Title1 =
            After(Labelled(layout::kTitle1Key, layout::kTitle1), layout::kGeneralValueColumn);
        Tell(InputItem::Title1);
        d_.Title2 =
            After(Labelled(layout::kTitle2Key, layout::kTitle2), layout::kGeneralValueColumn);
        Tell(InputItem::Title2);
        SkipLines(1);
        const int nrTst =
            WholeAfter(Labelled(layout::kNrTstKey, layout::kNrTst), layout::kGeneralValueColumn);
        if (nrTst < 0) throw HalosoilError(kInvalidNumber);
        // Refused before it is stored or shown: the grids could not hold it.
        CheckTimeStepLimit(nrTst);
        d_.NrTst = nrTst;
        d_.HydrRows = nrTst;
        Tell(InputItem::NrTst);
        d_.TstLength = WholeAfter(Labelled(layout::kTstLengthKey, layout::kTstLength),
                                  layout::kGeneralValueColumn);
        Tell(InputItem::TstLength);
        d_.NrLayers = WholeAfter(Labelled(layout::kNrLayersKey, layout::kNrLayers),
                                 layout::kGeneralValueColumn);
    }

    void DrainageBlock() {
        SkipLines(1);
        d_.DrainPresent =
            Columns(Labelled(layout::kDrainPresentKey, layout::kDrainPresent), 29, 32) == "yes";
        Tell(InputItem::DrainPresent);
        const std::string_view depthLine = Labelled(layout::kDrainDepthKey, layout::kDrainDepth);
        if (d_.DrainPresent) {
            d_.DrainDepth = PointStringToFloat(Columns(depthLine, 29, 38));
            Tell(InputItem::DrainDepth);
        }
        const std::string_view qh1Line = Labelled(layout::kQH1Key, layout::kQH1);
        if (d_.DrainPresent) {
            d_.QH1 = PointStringToFloat(Columns(qh1Line, 29, 38));
            Tell(InputItem::QH1);
        }
        const std::string_view qh2Line = Labelled(layout::kQH2Key, layout::kQH2);
        if (d_.DrainPresent) {
            d_.QH2 = PointStringToFloat(Columns(qh2Line, 29, 38));
            Tell(InputItem::QH2);
        }
    }

    void InitialBlock() {
        SkipLines(1);
        d_.SaltIrrig = InitialValue(Labelled(layout::kSaltIrrigKey, layout::kSaltIrrig));
        Tell(InputItem::SaltIrrig);
        d_.NrLayers = WholeAfter(Labelled(layout::kLayerCountKey, layout::kLayerCount), 38);
        d_.SetLayerFlags(d_.NrLayers);
        // The blocks below take their form from the layer flags; a file that names no
        // layer count while none is set cannot be read on.
        if (d_.FlaggedLayers() == 0) throw HalosoilError(kInvalidNumber);
        Tell(InputItem::NrLayers);
        for (int zone : ZonesOf(LayerCount(d_))) {
            d_.InitSalt[zone] = InitialValue(InitSaltLine(zone));
            Tell(InputItem::InitSalt, zone);
        }
        d_.WTdepth = InitialValue(Labelled(layout::kWTdepthKey, layout::kWTdepth));
        Tell(InputItem::WTdepth);
        d_.CritDepth = InitialValue(Labelled(layout::kCritDepthKey, layout::kCritDepth));
        Tell(InputItem::CritDepth);
        const std::string_view line = NextLine();
        if (HasLabel(line, layout::kMoistKey)) {
            d_.Moist = InitialValue(line);
            d_.IrrEff = InitialValue(Labelled(layout::kIrrEffKey, layout::kIrrEff));
        } else if (HasLabel(line, layout::kIrrEffKey)) {
            d_.IrrEff = InitialValue(line);
            d_.Moist = 50;  // older files have no moisture line
        } else {
            RefuseLine(line, layout::kMoist);
        }
        Tell(InputItem::MoistAndIrrEff);
        d_.GrwtInf = InitialValue(Labelled(layout::kGrwtInfKey, layout::kGrwtInf));
        Tell(InputItem::GrwtInf);
        d_.GrwtOut = InitialValue(Labelled(layout::kGrwtOutKey, layout::kGrwtOut));
        Tell(InputItem::GrwtOut);
        const std::string_view salInfLine = NextLine();
        if (TrimmedView(salInfLine).empty()) {
            d_.SalInf = 0;  // older files have the empty line here
        } else if (HasLabel(salInfLine, layout::kSalInfKey)) {
            d_.SalInf = InitialValue(salInfLine);
        } else {
            RefuseLine(salInfLine, layout::kSalInf);
        }
        Tell(InputItem::SalInf);
        SkipLines(2);
    }

    std::string_view InitSaltLine(int zone) {
        switch (zone) {
            case Layer1:
                return d_.OneLayer ? Labelled(layout::kInitSaltRootKey, layout::kInitSaltRoot)
                                   : Labelled(layout::kInitSaltLayer1Key, layout::kInitSaltLayer1);
            case Layer2:
                return Labelled(layout::kInitSaltLayer2Key, layout::kInitSaltLayer2);
            case Layer3:
                return Labelled(layout::kInitSaltLayer3Key, layout::kInitSaltLayer3);
            case Trans:
                return Labelled(layout::kInitSaltTransKey, layout::kInitSaltTrans);
            default:
                return Labelled(layout::kInitSaltAquifKey, layout::kInitSaltAquif);
        }
    }

    void HydrologicalBlock() {
        SizeSeries(d_.Rain, d_.NrTst);
        SizeSeries(d_.Irrig, d_.NrTst);
        SizeSeries(d_.Evap, d_.NrTst);
        SizeSeries(d_.IrrSal, d_.NrTst);
        SizeSeries(d_.IrrigSpread, d_.NrTst);
        // Three, four or five lines lie before the data rows, as the layout's age has it.
        std::string_view line = NextLine();
        if (Columns(line, 1, 10) == layout::kHydrologicalMark) {
            NextLine();
            line = NextLine();
        }
        if (Columns(line, 1, 10) == layout::kTimeStepMark) NextLine();
        for (int i = 1; i <= d_.NrTst; ++i) {
            const std::string_view row = NextLine();
            d_.Rain[i] = PointStringToFloat(Columns(row, layout::kHydrColumns[0]));
            Tell(InputItem::Rain, i);
            d_.Irrig[i] = PointStringToFloat(Columns(row, layout::kHydrColumns[1]));
            Tell(InputItem::Irrig, i);
            d_.Evap[i] = PointStringToFloat(Columns(row, layout::kHydrColumns[2]));
            Tell(InputItem::Evap, i);
            try {
                d_.IrrSal[i] = PointStringToFloat(Columns(row, layout::kHydrColumns[3]));
            } catch (const ConversionError&) {
                d_.IrrSal[i] = d_.SaltIrrig;  // older files have no irrigation salinity
            }
            Tell(InputItem::IrrSal, i);
        }
    }

    void SoilBlock() {
        SkipLines(1 + static_cast<int>(layout::SoilHeading(LayerCount(d_)).size()));
        const std::vector<int> zones = ZonesOf(LayerCount(d_));
        const layout::Columns* thickColumns = d_.OneLayer    ? layout::kThickColumns1
                                              : d_.TwoLayers ? layout::kThickColumns2
                                                             : layout::kThickColumns3;
        const std::string_view thickLine = NextLine();
        for (std::size_t k = 0; k < zones.size(); ++k) {
            d_.Thick[zones[k]] = PointStringToFloat(Columns(thickLine, thickColumns[k]));
            Tell(InputItem::Thick, zones[k]);
        }
        SkipLines(layout::kLinesBeforePorosityRows);
        for (int zone : zones) {
            const std::string_view row = NextLine();
            d_.TotPor[zone] = PointStringToFloat(Columns(row, layout::kPorosityColumns[0]));
            Tell(InputItem::TotPor, zone);
            d_.EffPor[zone] = PointStringToFloat(Columns(row, layout::kPorosityColumns[1]));
            Tell(InputItem::EffPor, zone);
            d_.LeachEff[zone] = PointStringToFloat(Columns(row, layout::kPorosityColumns[2]));
            Tell(InputItem::LeachEff, zone);
        }
    }

    void MeasuredBlock() {
        SkipLines(1 + static_cast<int>(layout::MeasuredHeading(LayerCount(d_)).size()));
        for (int zone = Layer1; zone <= Aquif; ++zone) SizeSeries(d_.MeasSalt[zone], d_.NrTst);
        const std::vector<int> zones = ZonesOf(LayerCount(d_));
        const layout::Columns* columns = layout::MeasColumns(LayerCount(d_));
        for (int i = 1; i <= d_.NrTst; ++i) {
            const std::string_view row = NextLine();
            std::array<std::string, kZoneCount + 1> texts;
            for (std::size_t k = 0; k < zones.size(); ++k) {
                const int zone = zones[k];
                // The field with every space removed; most have spaces only around the
                // number and need no copy.
                std::string_view text = TrimmedView(Columns(row, columns[k]));
                std::string joined;
                if (text.find(' ') != std::string_view::npos) {
                    joined = WithoutSpaces(text);
                    text = joined;
                }
                if (text.empty() || text == "-") {
                    d_.MeasSalt[zone][i] = kMissing;
                } else {
                    d_.MeasSalt[zone][i] = StringToFloat(text);
                    if (listener_) texts[zone] = text;
                }
            }
            if (listener_) listener_->MeasuredRowRead(i, texts);
        }
    }

    LineCursor lines_;
    bool started_ = false;  // whether the cursor's line has been taken
    InputData& d_;
    InputReadListener* listener_;
};

}  // namespace

void ReadInputText(std::string_view text, InputData& data, InputReadListener* listener) {
    InputReader(text, data, listener).Read();
}

void ReadInputFile(std::istream& in, InputData& data, InputReadListener* listener) {
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ReadInputText(text, data, listener);
}

void ReadInputFile(InputData& data, InputReadListener* listener) {
    ReadInputText(FileContents(data.InputFileName), data, listener);
}

}  // namespace halosoil
