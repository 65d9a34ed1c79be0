#!/bin/sh
# Colour management of a 24-megapixel JPEG as whole processes, decode and
# writing included: voviro-tool view (the viewer's decode, then the rows
# converted by two threads through one Little CMS transform, written as BMP)
# against vips icc_transform of the same conversion (written in vips' own
# raw format). Both from an sRGB profile file into a wide-gamut RGB profile,
# perceptual intent, no black-point compensation.
# Usage: bench/colour_manage.sh [BUILD_DIR]   (default build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target voviro-tool >/dev/null
dir=bench/corpus-colour
mkdir -p "$dir"
jpeg="$dir/24mp.jpg"
if [ ! -f "$jpeg" ]; then
    # 6000 × 4000 picture with gradients, stripes and a little noise.
    python3 - "$dir/24mp.ppm" <<'PY'
import os, sys
w, h = 6000, 4000
base = bytes(((x * 7) ^ (x >> 4) ^ (x // 37 * 50)) % 248 for x in range(w * 3))
with open(sys.argv[1], "wb") as f:
    f.write(b"P6\n%d %d\n255\n" % (w, h))
    for y in range(h):
        s = (y * 9) % len(base)
        row = int.from_bytes(base[s:] + base[:s], "big")
        noise = int.from_bytes(os.urandom(w * 3).translate(bytes(i & 7 for i in range(256))), "big")
        f.write((row + noise).to_bytes(w * 3, "big"))
PY
    cjpeg -quality 90 "$dir/24mp.ppm" > "$jpeg"
    rm "$dir/24mp.ppm"
fi
# Two installed RGB profiles: sRGB in, Adobe RGB (1998) as the wide-gamut monitor.
srgb=/usr/share/color/icc/ghostscript/srgb.icc
wide=/usr/share/color/icc/ghostscript/a98.icc
[ -f "$srgb" ] && [ -f "$wide" ] || { echo "needs $srgb and $wide (package libgs-common)"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
hyperfine -N --warmup 2 --runs 10 \
    "$build/voviro-tool view $jpeg --out $out/ours.bmp --monitor $wide --input $srgb --intent 0" \
    "vips icc_transform $jpeg $out/theirs.v $wide --input-profile $srgb --intent perceptual"
