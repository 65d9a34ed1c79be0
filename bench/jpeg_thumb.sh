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
    python3 - "$dir/12mp.ppm" <<'PY'
import os, sys
w, h = 4000, 3000
base = bytes(((x * 7) ^ (x >> 4) ^ (x // 37 * 50)) % 248 for x in range(w * 3))
with open(sys.argv[1], "wb") as f:
    f.write(b"P6\n%d %d\n255\n" % (w, h))
    for y in range(h):
        s = (y * 9) % len(base)
        row = int.from_bytes(base[s:] + base[:s], "big")
        noise = int.from_bytes(os.urandom(w * 3).translate(bytes(i & 7 for i in range(256))), "big")
        f.write((row + noise).to_bytes(w * 3, "big"))
PY
    cjpeg -quality 90 "$dir/12mp.ppm" > "$jpeg"
    rm "$dir/12mp.ppm"
fi
ls -l "$jpeg"
hyperfine -N --warmup 5 "$build/bench/jpeg_thumb $jpeg" "djpeg -scale 1/8 -bmp $jpeg"
