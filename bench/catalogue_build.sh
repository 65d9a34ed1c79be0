#!/bin/sh
# Makes a folder of 10,000 small image files, lists it with the catalogue and
# with find, and prints the times, their ratios and the catalogue's memory.
# Usage: bench/catalogue_build.sh [BUILD_DIR]   (default build-core)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build-core}
bench=$build/bench/catalogue_build
[ -x "$bench" ] || cmake --build "$build" --target catalogue_build
dir=$(mktemp -d "${TMPDIR:-/tmp}/voviro-bench-XXXXXX")
trap 'rm -rf "$dir"' EXIT
i=0
while [ $i -lt 10000 ]; do
    case $((i % 4)) in
        0) ext=JPG ;; 1) ext=jpg ;; 2) ext=tif ;; *) ext=png ;;
    esac
    printf '%05d' $i > "$dir/IMG_$(printf '%05d' $i).$ext"
    i=$((i + 1))
done
"$bench" "$dir" 21
if command -v hyperfine > /dev/null; then
    hyperfine -N --warmup 3 --runs 20 "find $dir -maxdepth 1 -type f -printf '%T@ %s %p\n'" 2>/dev/null | sed -n '1,3p'
else
    time find "$dir" -maxdepth 1 -type f -printf '%T@ %s %p\n' > /dev/null
fi
