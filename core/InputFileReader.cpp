// Reads an input data file by counting lines and cutting columns, as the file has always been
// read. Values are stored in the record as soon as they are read, so that a failure keeps what
// came before it. Fixed-width fields always have the point as separator; only the measured
// salinities follow the program-wide separator.

#include <cerrno>
#include <cstdio>
#include <istream>
#include <sstream>
#include <string>

#include "Errors.h"
#include "InputFile.h"
#include "InputFileLayout.h"
#include "StringToFloat.h"
#include "TextFields.h"

namespace halosoil {

namespace layout = input_layout;

namespace {

constexpr const char* kInvalidNumber = "Invalid numeric input";
// A damaged file could claim billions of steps; no real project comes near this.
constexpr int kMostTimeSteps = 1000000;

class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in) {}

    // The next line without its line end; an empty line once the file has ended.
    const std::string& Next() {
        current_.clear();
        if (!std::getline(in_, current_)) {
            ended_ = true;
            current_.clear();
        } else if (!current_.empty() && current_.back() == '\r') {
            current_.pop_back();
        }
        return current_;
    }

    void Skip(int count) {
        for (int k = 0; k < count; ++k) Next();
    }

    bool Ended() const { return ended_; }

private:
    std::istream& in_;
    std::string current_;
    bool ended_ = false;
};

// Columns from..to (counted from 1) of a line, fewer when the line ends earlier.
std::string Columns(const std::string& line, int from, int to) {
    const std::size_t first = static_cast<std::size_t>(from) - 1;
    if (first >= line.size()) return {};
    return line.substr(first, static_cast<std::size_t>(to) - first);
}

std::string Columns(const std::string& line, layout::Columns columns) {
    return Columns(line, columns.from, columns.to);
}

std::string After(const std::string& line, int column) {
    return static_cast<std::size_t>(column) < line.size() ? line.substr(column) : std::string();
}

class InputReader {
public:
    InputReader(std::istream& in, InputData& data, InputReadListener* listener)
        : lines_(in), d_(data), listener_(listener) {}

    void Read() {
        GeneralBlock();
        DrainageBlock();
        InitialBlock();
        HydrologicalBlock();
        SoilBlock();
        MeasuredBlock();
    }

private:
    void Tell(InputItem item, int index = 0) {
        if (listener_) listener_->ItemRead(item, index);
    }

    // The whole number that follows the column; 0 once the file has ended.
    int WholeAfter(const std::string& line, int column) {
        const std::string text = After(line, column);
        std::size_t start = text.find_first_not_of(' ');
        if (start == std::string::npos) {
            if (lines_.Ended()) return 0;
            throw HalosoilError(kInvalidNumber);
        }
        std::size_t end = start;
        if (text[end] == '-' || text[end] == '+') ++end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
        int value = 0;
        if (!TryStringToInt(text.substr(start, end - start), value))
            throw HalosoilError(kInvalidNumber);
        return value;
    }

    double InitialValue(const std::string& line) {
        return PointStringToFloat(
            Columns(line, layout::kInitialValueFrom, layout::kInitialValueTo));
    }

    void GeneralBlock() {
        lines_.Skip(2);
        d_.Title1 = After(lines_.Next(), layout::kGeneralValueColumn);
        Tell(InputItem::Title1);
        d_.Title2 = After(lines_.Next(), layout::kGeneralValueColumn);
        Tell(InputItem::Title2);
        lines_.Skip(1);
        const int nrTst = WholeAfter(lines_.Next(), layout::kGeneralValueColumn);
        if (nrTst < 0 || nrTst > kMostTimeSteps) throw HalosoilError(kInvalidNumber);
        d_.NrTst = nrTst;
        d_.HydrRows = nrTst;
        Tell(InputItem::NrTst);
        d_.TstLength = WholeAfter(lines_.Next(), layout::kGeneralValueColumn);
        Tell(InputItem::TstLength);
        d_.NrLayers = WholeAfter(lines_.Next(), layout::kGeneralValueColumn);
        d_.SavedNrLayers = d_.NrLayers;
    }

    void DrainageBlock() {
        lines_.Skip(1);
        d_.DrainPresent = Columns(lines_.Next(), 29, 32) == "yes";
        Tell(InputItem::DrainPresent);
        if (!d_.DrainPresent) {
            lines_.Skip(3);
            return;
        }
        d_.DrainDepth = PointStringToFloat(Columns(lines_.Next(), 29, 38));
        Tell(InputItem::DrainDepth);
        d_.QH1 = PointStringToFloat(Columns(lines_.Next(), 29, 38));
        Tell(InputItem::QH1);
        d_.QH2 = PointStringToFloat(Columns(lines_.Next(), 29, 38));
        Tell(InputItem::QH2);
    }

    void InitialBlock() {
        lines_.Skip(1);
        d_.SaltIrrig = InitialValue(lines_.Next());
        Tell(InputItem::SaltIrrig);
        d_.NrLayers = WholeAfter(lines_.Next(), 38);
        d_.SetLayerFlags(d_.NrLayers);
        // The blocks below take their form from the layer flags; a file that names no
        // layer count while none is set cannot be read on.
        if (d_.FlaggedLayers() == 0) throw HalosoilError(kInvalidNumber);
        Tell(InputItem::NrLayers);
        for (int zone : ZonesOf(d_.FlaggedLayers())) {
            d_.InitSalt[zone] = InitialValue(lines_.Next());
            Tell(InputItem::InitSalt, zone);
        }
        d_.WTdepth = InitialValue(lines_.Next());
        Tell(InputItem::WTdepth);
        d_.CritDepth = InitialValue(lines_.Next());
        Tell(InputItem::CritDepth);
        const std::string& line = lines_.Next();
        if (Columns(line, 1, 18) == layout::kMoistMark) {
            d_.Moist = InitialValue(line);
            d_.IrrEff = InitialValue(lines_.Next());
        } else {
            d_.IrrEff = InitialValue(line);
            d_.Moist = 50;  // older files have no moisture line
        }
        Tell(InputItem::MoistAndIrrEff);
        d_.GrwtInf = InitialValue(lines_.Next());
        Tell(InputItem::GrwtInf);
        d_.GrwtOut = InitialValue(lines_.Next());
        Tell(InputItem::GrwtOut);
        try {
            d_.SalInf = InitialValue(lines_.Next());
        } catch (const ConversionError&) {
            d_.SalInf = 0;  // older files have the empty line here
        }
        Tell(InputItem::SalInf);
        lines_.Skip(2);
    }

    void HydrologicalBlock() {
        SizeSeries(d_.Rain, d_.NrTst);
        SizeSeries(d_.Irrig, d_.NrTst);
        SizeSeries(d_.Evap, d_.NrTst);
        SizeSeries(d_.IrrSal, d_.NrTst);
        SizeSeries(d_.IrrigSpread, d_.NrTst);
        // Three, four or five lines lie before the data rows, as the layout's age has it.
        std::string line = lines_.Next();
        if (Columns(line, 1, 10) == layout::kHydrologicalMark) {
            lines_.Next();
            line = lines_.Next();
        }
        if (Columns(line, 1, 10) == layout::kTimeStepMark) lines_.Next();
        for (int i = 1; i <= d_.NrTst; ++i) {
            const std::string& row = lines_.Next();
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
        lines_.Skip(d_.OneLayer ? 5 : 7);
        const std::vector<int> zones = ZonesOf(d_.FlaggedLayers());
        const layout::Columns* thickColumns = d_.OneLayer    ? layout::kThickColumns1
                                              : d_.TwoLayers ? layout::kThickColumns2
                                                             : layout::kThickColumns3;
        const std::string& thickLine = lines_.Next();
        for (std::size_t k = 0; k < zones.size(); ++k) {
            d_.Thick[zones[k]] = PointStringToFloat(Columns(thickLine, thickColumns[k]));
            Tell(InputItem::Thick, zones[k]);
        }
        lines_.Skip(3);
        for (int zone : zones) {
            const std::string& row = lines_.Next();
            d_.TotPor[zone] = PointStringToFloat(Columns(row, layout::kPorosityColumns[0]));
            Tell(InputItem::TotPor, zone);
            d_.EffPor[zone] = PointStringToFloat(Columns(row, layout::kPorosityColumns[1]));
            Tell(InputItem::EffPor, zone);
            d_.LeachEff[zone] = PointStringToFloat(Columns(row, layout::kPorosityColumns[2]));
            Tell(InputItem::LeachEff, zone);
        }
    }

    void MeasuredBlock() {
        lines_.Skip(d_.OneLayer ? 3 : 6);
        for (int zone = Layer1; zone <= Aquif; ++zone) SizeSeries(d_.MeasSalt[zone], d_.NrTst);
        const std::vector<int> zones = ZonesOf(d_.FlaggedLayers());
        const layout::Columns* columns = d_.OneLayer    ? layout::kMeasColumns1
                                         : d_.TwoLayers ? layout::kMeasColumns2
                                                        : layout::kMeasColumns3;
        for (int i = 1; i <= d_.NrTst; ++i) {
            const std::string& row = lines_.Next();
            std::array<std::string, kZoneCount + 1> texts;
            for (std::size_t k = 0; k < zones.size(); ++k) {
                const int zone = zones[k];
                const std::string text = WithoutSpaces(Columns(row, columns[k]));
                if (text.empty() || text == "-") {
                    d_.MeasSalt[zone][i] = kMissing;
                } else {
                    d_.MeasSalt[zone][i] = StringToFloat(text);
                    texts[zone] = text;
                }
            }
            if (listener_) listener_->MeasuredRowRead(i, texts);
        }
    }

    LineReader lines_;
    InputData& d_;
    InputReadListener* listener_;
};

}  // namespace

void ReadInputFile(std::istream& in, InputData& data, InputReadListener* listener) {
    InputReader(in, data, listener).Read();
}

void ReadInputFile(InputData& data, InputReadListener* listener) {
    errno = 0;
    std::FILE* file = std::fopen(data.InputFileName.c_str(), "rb");
    if (!file) throw FileError(FileErrorText(errno ? errno : ENOENT));
    std::string bytes;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) throw FileError(FileErrorText(error ? error : EIO));
    std::istringstream in(bytes);
    ReadInputFile(in, data, listener);
}

}  // namespace halosoil
