#include "Zones.h"

namespace halosoil {

const std::array<const char*, kZoneCount>& ZoneKeys() {
    static const std::array<const char*, kZoneCount> keys = {"layer1", "layer2", "layer3",
                                                             "transition", "aquifer"};
    return keys;
}

const char* ZoneKey(int zone) {
    return zone >= Layer1 && zone <= Aquif ? ZoneKeys()[static_cast<std::size_t>(zone - 1)] : "";
}

int ZoneOfKey(std::string_view key) {
    for (int zone = Layer1; zone <= Aquif; ++zone)
        if (key == ZoneKey(zone)) return zone;
    return 0;
}

std::string ZoneName(int zone, int layers) {
    static const char* const names[] = {"the 1st layer", "the 2nd layer", "the 3rd layer",
                                        "the transition zone", "the aquifer"};
    if (zone < Layer1 || zone > Aquif) return "";
    if (zone == Layer1 && layers == 1) return "the root zone";
    return names[zone - 1];
}

}  // namespace halosoil
