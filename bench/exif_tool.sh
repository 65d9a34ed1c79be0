#!/bin/sh
# Times `voviro-tool exif --json` over every sample camera file against
# `exiv2 -pa` over the same files, both as whole processes (hyperfine).
# Usage: bench/exif_tool.sh [BUILD_DIR] [SAMPLES_DIR]   (defaults build-core, ../shared/samples)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build-core}
samples=${2:-$here/../shared/samples}
cmake --build "$build" --target voviro-tool > /dev/null
list=$(mktemp)
trap 'rm -f "$list"' EXIT
find "$samples" -type f \( -name '*.jpg' -o -name '*.tif*' \) | sort > "$list"
echo "$(wc -l < "$list") files"
hyperfine -N --warmup 3 --runs 30 \
    "sh -c 'xargs -d \"\\n\" \"$build/voviro-tool\" exif --json < $list > /dev/null'" \
    "sh -c 'xargs -d \"\\n\" exiv2 -pa < $list > /dev/null 2>&1'"
