#!/bin/sh
# Writes a photo-like JPEG for the benchmarks once: gradients, stripes and a
# little noise, quality 90 unless given. Nothing happens when OUT already exists.
# Usage: bench/make_photo_jpeg.sh WIDTH HEIGHT OUT.jpg [QUALITY]
set -eu
width=$1 height=$2 jpeg=$3 quality=${4:-90}
[ -f "$jpeg" ] && exit 0
mkdir -p "$(dirname "$jpeg")"
python3 - "$jpeg.ppm" "$width" "$height" <<'PY'
import os, sys
w, h = int(sys.argv[2]), int(sys.argv[3])
base = bytes(((x * 7) ^ (x >> 4) ^ (x // 37 * 50)) % 248 for x in range(w * 3))
with open(sys.argv[1], "wb") as f:
    f.write(b"P6\n%d %d\n255\n" % (w, h))
    for y in range(h):
        s = (y * 9) % len(base)
        row = int.from_bytes(base[s:] + base[:s], "big")
        noise = int.from_bytes(os.urandom(w * 3).translate(bytes(i & 7 for i in range(256))), "big")
        f.write((row + noise).to_bytes(w * 3, "big"))
PY
cjpeg -quality "$quality" "$jpeg.ppm" > "$jpeg"
rm "$jpeg.ppm"
