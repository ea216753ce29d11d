// A drawing handed to the raster export module's entry from C++: the drawing's exceptions
// cannot cross the module's C entry, so they are kept and thrown again on the caller's side,
// and the module's refusal becomes a FileError. The batch runner's graphs and the region
// module's maps both go through it.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "Errors.h"
#include "RasterExport.h"

namespace halosoil {

inline void SaveThroughRasterEntry(HalosoilSaveRasterDrawing save, int width, int height,
                                   const std::function<void(Canvas&)>& draw,
                                   const std::string& fileName, const char* format) {
    struct Drawing {
        const std::function<void(Canvas&)>& draw;
        std::exception_ptr failure;
    };
    Drawing drawing{draw, nullptr};
    const HalosoilDraw drawInto = [](Canvas& canvas, void* context) {
        auto& into = *static_cast<Drawing*>(context);
        try {
            into.draw(canvas);
        } catch (...) {
            into.failure = std::current_exception();
        }
    };
    char reason[512] = "";
    const bool written =
        save(width, height, drawInto, &drawing, fileName.c_str(), format, reason, sizeof reason);
    if (drawing.failure) std::rethrow_exception(drawing.failure);
    if (!written) throw FileError(reason);
}

}  // namespace halosoil
