// The two pictures of the help pages, drawn in code: a small soil profile for the Intro page
// and the sketch of the water movement for a root zone of two layers for the Figure page.
#pragma once

#include <QPixmap>

namespace halosoil {

QPixmap IntroPicture();         // 109 x 96
QPixmap WaterMovementSketch();  // 673 x 449

}  // namespace halosoil
