#include "OutputFitFlags.h"

#include <fstream>
#include <istream>

#include "OutputFileLayout.h"

namespace halosoil {

namespace layout = output_layout;

FitFlags FitNotAvailable(std::istream& outputFile) {
    FitFlags notAvailable{};
    notAvailable.fill(true);
    std::string line;
    // The efficiency lines stand in the header, which ends with the dashed line.
    while (std::getline(outputFile, line) && line.compare(0, 4, layout::kHeaderEndMark) != 0) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (int zone = Layer1; zone <= Aquif; ++zone) {
            const std::string label = layout::kEfficiencyLabels[zone];
            if (line.compare(0, label.size(), label) == 0)
                notAvailable[zone] = line.find("n.a.", label.size()) != std::string::npos;
        }
    }
    return notAvailable;
}

bool FitNotAvailable(const std::string& outputFileName, FitFlags& flags) {
    std::ifstream in(outputFileName, std::ios::binary);
    if (!in) return false;
    flags = FitNotAvailable(in);
    return true;
}

}  // namespace halosoil
