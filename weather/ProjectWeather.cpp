#include "ProjectWeather.h"

#include "Errors.h"

namespace halosoil::weather {

std::vector<std::string> ApplyWeather(InputData& data, const std::vector<WeatherStep>& steps,
                                      int tstLength) {
    if (data.TstLength != tstLength)
        throw HalosoilError(std::string("the project's time step is a ") +
                            StepLengthName(data.TstLength) + " and the steps are " +
                            StepLengthName(tstLength) + "s");
    const int held = data.NrTst;
    int count = static_cast<int>(steps.size());
    std::vector<std::string> messages;
    if (count > held) {
        messages.push_back("the record covers " + std::to_string(count) +
                           " steps and the project has " + std::to_string(held) +
                           ": its irrigation and irrigation salinity cannot be extended from "
                           "the record, so its " +
                           std::to_string(held) + " steps take the record's first " +
                           std::to_string(held));
        count = held;
    }
    if (count < held)
        messages.push_back("the project's " + std::to_string(held) + " steps are cut to the " +
                           std::to_string(count) +
                           " the record covers: its irrigation, irrigation salinity and "
                           "measured salinities of steps " +
                           std::to_string(count + 1) + " to " + std::to_string(held) +
                           " are left out");
    data.NrTst = count;
    data.HydrRows = count;
    for (Series* series : {&data.Irrig, &data.IrrSal, &data.IrrigSpread})
        SizeSeries(*series, count);
    for (Series& measured : data.MeasSalt)
        if (!measured.empty()) SizeSeries(measured, count);
    SizeSeries(data.Rain, count);
    SizeSeries(data.Evap, count);
    for (const WeatherStep& step : steps) {
        if (step.step > count) break;
        data.Rain[static_cast<std::size_t>(step.step)] = step.rain;
        data.Evap[static_cast<std::size_t>(step.step)] = step.evap;
    }
    return messages;
}

}  // namespace halosoil::weather
