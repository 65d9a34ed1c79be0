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
jpeg=bench/corpus-colour/24mp.jpg
bench/make_photo_jpeg.sh 6000 4000 "$jpeg"
# Two installed RGB profiles: sRGB in, Adobe RGB (1998) as the wide-gamut monitor.
srgb=/usr/share/color/icc/ghostscript/srgb.icc
wide=/usr/share/color/icc/ghostscript/a98.icc
[ -f "$srgb" ] && [ -f "$wide" ] || { echo "needs $srgb and $wide (package libgs-common)"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
hyperfine -N --warmup 2 --runs 10 \
    "$build/voviro-tool view $jpeg --out $out/ours.bmp --monitor $wide --input $srgb --intent 0" \
    "vips icc_transform $jpeg $out/theirs.v $wide --input-profile $srgb --intent perceptual"
