#!/bin/sh
# voviro-tool histogram of a 24-megapixel JPEG as a whole process, against
# djpeg decoding the same file to /dev/null and vips hist_find (three tables).
# Usage: bench/histogram_tool.sh [BUILD_DIR]   (default build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target voviro-tool >/dev/null
. bench/histogram_corpus.sh
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
hyperfine -N --warmup 3 --runs 15 \
    "$build/voviro-tool histogram --json $jpeg" \
    "djpeg -ppm -outfile /dev/null $jpeg" \
    "vips hist_find $jpeg $out/hist.v"
