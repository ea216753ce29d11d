#!/bin/sh
# Fails when the given program loads any of Qt's or GDAL's libraries at start: the batch runner
# opens Qt only with its raster export module, for PNG and BMP graphs, and GDAL only with its
# region module.
set -eu
program="$1"
heavy=$(ldd "$program" | grep -i -e 'libQt' -e 'libgdal' || true)
if [ -n "$heavy" ]; then
    echo "$program loads Qt or GDAL at start:"
    echo "$heavy"
    exit 1
fi
echo "$program: neither Qt nor GDAL among the $(ldd "$program" | wc -l) libraries it loads"
