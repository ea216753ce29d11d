// The fixed texts with which the program explains itself: the introduction, the water and
// salt balance equations, the caption of the figure and the drainage explanation.
#pragma once

#include <QString>
#include <QStringList>

namespace halosoil {

QStringList IntroLines();
QStringList MathLines();
QString FigureCaption();
QStringList DrainExplanationLines();

}  // namespace halosoil
