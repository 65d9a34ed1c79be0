#!/bin/sh
# Thumbnail decode of a 12-megapixel JPEG (no embedded thumbnail): our reduced
# decode + fit into 160 × 120 + BMP, against djpeg's 1/8 scale BMP output.
# Usage: bench/jpeg_thumb.sh [BUILD_DIR]   (default build-imaging)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-imaging}
cmake --build "$build" --target jpeg_thumb >/dev/null
jpeg=bench/corpus-thumb/12mp.jpg
bench/make_photo_jpeg.sh 4000 3000 "$jpeg"
ls -l "$jpeg"
hyperfine -N --warmup 5 "$build/bench/jpeg_thumb $jpeg" "djpeg -scale 1/8 -bmp $jpeg"
