#!/bin/sh
# Thumbnail decode of a 12-megapixel JPEG (no embedded thumbnail): our reduced
# decode + fit into 160 × 120 + BMP, against djpeg's 1/8 scale BMP output.
# Usage: bench/jpeg_thumb.sh [BUILD_DIR]   (default build-imaging)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-imaging}
cmake --build "$build" --target jpeg_thumb >/dev/null
dir=bench/corpus-thumb
mkdir -p "$dir"
jpeg="$dir/12mp.jpg"
if [ ! -f "$jpeg" ]; then
    # 4000 × 3000 picture with gradients, stripes and a little noise.
    python3 bench/test_picture.py 4000 3000 "$dir/12mp.ppm"
    cjpeg -quality 90 "$dir/12mp.ppm" > "$jpeg"
    rm "$dir/12mp.ppm"
fi
ls -l "$jpeg"
hyperfine -N --warmup 5 "$build/bench/jpeg_thumb $jpeg" "djpeg -scale 1/8 -bmp $jpeg"
