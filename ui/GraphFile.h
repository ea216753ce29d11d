// Writing the Graphs page's picture to a file, in the format its extension names: PNG, SVG,
// or else the Windows bitmap the page has always saved.
#pragma once

#include <QImage>
#include <QString>

namespace halosoil {

class DrawingRecorder;

// The save dialog's filter: the bitmap first, as the default, then PNG and SVG.
extern const QString kGraphSaveFilter;

// Writes the file as a whole (a failure keeps an existing file). An SVG file holds the
// recorded drawing as vectors; a picture that was opened rather than drawn has no drawing and
// goes into the SVG file as an embedded image. Returns the platform's reason of a failure,
// or an empty text.
QString WriteGraphFile(const QString& fileName, const QImage& picture,
                       const DrawingRecorder* drawing);

}  // namespace halosoil
