// Each field's project: its base (the command's, or the one its `project` cell names), its
// rain and evaporation from the station its `weather` cell names, with its parameter cells
// applied in memory, as the studies apply a parameter, then checked as
// `run` checks a project. A field whose cells or base cannot make a project is refused with
// a message naming its id, the column and the value.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "FieldLayer.h"
#include "GapFilling.h"
#include "InputData.h"

namespace halosoil::region {

class FieldProjects {
public:
    // Reads every base the layer's `project` cells name, once each, before any field is made.
    // fill says how gaps of the stations' records are filled.
    FieldProjects(const InputData& base, const FieldCells& cells, const weather::FillOptions& fill);

    // Fills the field's project and says whether it can run; otherwise refusal says why.
    // Safe to call from several threads at once.
    bool Make(const FieldInput& field, InputData& project, std::string& refusal) const;

private:
    struct Base {
        InputData data;
        std::string refusal;  // the file's damage or implausibility, naming file and line
    };

    // A station's daily record named by `weather` cells, read once.
    struct Station;

    const Base& BaseOf(const FieldInput& field) const;
    // The base with its rain and evaporation from the field's station; refusal says why not.
    bool WithWeather(const FieldInput& field, const InputData& base, InputData& withWeather,
                     std::string& refusal) const;

    Base base_;
    std::map<std::string, Base> named_;
    std::map<std::string, std::shared_ptr<const Station>> stations_;
    const FieldCells& cells_;
    weather::FillOptions fill_;
};

// The project at path as `run` takes it: read, checked for plausibility and its irrigation
// spread. Throws HalosoilError naming the file and the line.
InputData ReadBaseProject(const std::string& path);

}  // namespace halosoil::region
