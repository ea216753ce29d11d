// The input data file: one project as fixed-layout text, written before every run and read
// back by "Open input". The reader works by line counts and column ranges, and accepts the
// older layouts without the moisture line, without the groundwater-salinity line and without
// the irrigation-salinity column.
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>

#include "InputData.h"

namespace halosoil {

// What the reader has just stored, so that a window can show each value as it is read and
// keep what it showed when a later field fails.
enum class InputItem {
    Title1,
    Title2,
    NrTst,
    TstLength,
    DrainPresent,
    DrainDepth,
    QH1,
    QH2,
    SaltIrrig,
    NrLayers,
    InitSalt,  // index: the zone
    WTdepth,
    CritDepth,
    MoistAndIrrEff,
    GrwtInf,
    GrwtOut,
    SalInf,
    // Each value of a row is reported on its own, so that a failure further along the row
    // leaves the values before it shown. index: the time step.
    Rain,
    Irrig,
    Evap,
    IrrSal,
    // index: the zone.
    Thick,
    TotPor,
    EffPor,
    LeachEff,
};

class InputReadListener {
public:
    virtual ~InputReadListener() = default;
    virtual void ItemRead(InputItem item, int index) = 0;
    // The measured salinities of one step: per zone the field's text with its spaces removed,
    // empty when the value is missing.
    virtual void MeasuredRowRead(int step,
                                 const std::array<std::string, kZoneCount + 1>& texts) = 0;
};

// The number of time steps the writer writes settled in the record: HydrRows = NrTst, or
// NrTst = HydrRows when NrTst is 0.
void SettleRows(InputData& data);

// The record as a run takes it after writing: the rows settled and IrrigSpread prepared.
InputData AsWritten(const InputData& data);

// Writes the record to data.InputFileName, replacing the file as a whole (a failure keeps the
// previous file), and returns AsWritten(data). Throws HalosoilError before writing anything
// when a value does not fit its column, FileError when the platform refuses.
InputData WriteInputFile(const InputData& data);

// The file's text, CR LF line ends, as WriteInputFile writes it (InputFileName in line 2).
std::string InputFileText(const InputData& data);

// Reads data.InputFileName into the record. Fields read before a failure keep their values.
void ReadInputFile(InputData& data, InputReadListener* listener = nullptr);
// The same for the text of a file, already in memory.
void ReadInputText(std::string_view text, InputData& data, InputReadListener* listener = nullptr);
void ReadInputFile(std::istream& in, InputData& data, InputReadListener* listener = nullptr);

// IrrigSpread from Irrig: a copy, with each gift spread over up to four following dry days
// when the step is one day.
void PrepareIrrigSpread(InputData& data);

}  // namespace halosoil
