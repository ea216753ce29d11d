// The Intro, Math and Figure pages of the main window, filled into the tab pages given.
#pragma once

class QWidget;

namespace halosoil {

// A small picture at the left and the introduction on light green.
void BuildIntroPage(QWidget* page);
// The equations, with a vertical scroll bar.
void BuildMathPage(QWidget* page);
// The caption above the sketch of the water movement.
void BuildFigurePage(QWidget* page);

}  // namespace halosoil
