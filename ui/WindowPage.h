// The tab pages of the main window, in the order of their tabs, with the objectName and the
// title of each.
#pragma once

namespace halosoil {

enum class WindowPage { Intro, Math, Figure, Input, Output, Graphs, Calibration, Region };

inline constexpr int kWindowPages = 8;

struct WindowPageName {
    const char* objectName;
    const char* title;
};

inline constexpr WindowPageName kWindowPageNames[kWindowPages] = {
    {"IntroTab", "Intro"},     {"MathTab", "Math"},     {"FigTab", "Figure"},
    {"InpTab", "Input"},       {"OutTab", "Output"},    {"GraphTab", "Graphs"},
    {"CalTab", "Calibration"}, {"RegionTab", "Region"},
};

}  // namespace halosoil
