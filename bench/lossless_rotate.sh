#!/bin/sh
# Lossless rotation against jpegtran, both as whole processes: one 24-megapixel
# JPEG turned by 90°, and a batch of 200 photos against a shell loop of the
# same jpegtran command; then the marker rewrite of the 24-megapixel file
# against cp of it.
# Usage: bench/lossless_rotate.sh [BUILD_DIR]   (default build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target lossless_rotate >/dev/null
bin="$build/bench/lossless_rotate"
dir=bench/corpus-rotate
mkdir -p "$dir/batch"
picture() { # WIDTH HEIGHT OUT: a picture with gradients, stripes and noise
    bench/make_photo_jpeg.sh "$1" "$2" "$3" 92
}
big="$dir/24mp.jpg"
[ -f "$big" ] || picture 6000 4000 "$big"
if [ ! -f "$dir/batch/IMG_0199.jpg" ]; then
    picture 1600 1200 "$dir/one.jpg"
    for i in $(seq -w 0 199); do cp "$dir/one.jpg" "$dir/batch/IMG_0$i.jpg"; done
    rm "$dir/one.jpg"
fi
ls -l "$big"
# The rotation flushes the new file to the disk before it replaces anything;
# the third command is jpegtran with the same flush, for a like-for-like figure.
hyperfine -N --warmup 3 --runs 15 \
    "$bin turn $big" \
    "jpegtran -rotate 90 -trim -copy all -outfile $dir/24mp_jt.jpg $big" \
    "sh -c 'jpegtran -rotate 90 -trim -copy all -outfile $dir/24mp_jt.jpg $big && sync $dir/24mp_jt.jpg'"
rm -f "$dir"/batch/*_90.jpg
hyperfine --warmup 1 --runs 5 --prepare "rm -f $dir/batch/*_90.jpg" \
    "$bin turn $dir/batch/IMG_0???.jpg" \
    "for f in $dir/batch/IMG_0???.jpg; do jpegtran -rotate 90 -trim -copy all -outfile \${f%.jpg}_90.jpg \$f; done"
cp "$big" "$dir/24mp_edit.jpg"
hyperfine -N --warmup 3 --runs 15 \
    "$bin comment $dir/24mp_edit.jpg" \
    "cp $big $dir/24mp_cp.jpg" \
    "sh -c 'cp $big $dir/24mp_cp.jpg && sync $dir/24mp_cp.jpg'"
