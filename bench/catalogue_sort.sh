#!/bin/sh
# Times sorting a 10,000-record catalogue by a metadata item against by name.
# Usage: bench/catalogue_sort.sh [BUILD_DIR]   (default build)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
[ -x "$build/bench/catalogue_sort" ] || cmake --build "$build" --target catalogue_sort
"$build/bench/catalogue_sort" 21
