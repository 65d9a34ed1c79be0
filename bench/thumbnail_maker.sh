#!/usr/bin/env bash
# Makes the thumbnail benchmark corpus (once) and times the maker against djpeg.
# Usage: bench/thumbnail_maker.sh [BUILD_DIR] [RUNS]      default build, 5 runs
# The corpus (200 JPEG files of 4000 × 3000 with a 160 × 120 Exif thumbnail and
# 200 without) is kept in ${VOVIRO_BENCH_CORPUS:-/tmp/voviro-thumbnail-corpus}.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-5}
corpus=${VOVIRO_BENCH_CORPUS:-/tmp/voviro-thumbnail-corpus}
cmake --build "$build" --target thumbnail_corpus thumbnail_maker >/dev/null
for kind in with without; do
  dir="$corpus/$kind"
  if [ "$(find "$dir" -name '*.JPG' 2>/dev/null | wc -l)" -ne 200 ]; then
    rm -rf "$dir" && mkdir -p "$dir"
    flag=; [ "$kind" = without ] && flag=--no-thumbnail
    echo "making $dir ..."
    "$build/bench/thumbnail_corpus" "$dir" 200 $flag
  fi
done
du -sh "$corpus/with" "$corpus/without"
"$build/bench/thumbnail_maker" "$corpus/with" "$corpus/without" "$runs"
