#!/bin/sh
# Fails when the given program loads any of Qt's libraries at start: the batch runner opens Qt
# only with its raster export module, for PNG and BMP graphs.
set -eu
program="$1"
qt=$(ldd "$program" | grep -i 'libQt' || true)
if [ -n "$qt" ]; then
    echo "$program loads Qt at start:"
    echo "$qt"
    exit 1
fi
echo "$program: no Qt library among the $(ldd "$program" | wc -l) it loads"
