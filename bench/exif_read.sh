#!/bin/sh
# Times ReadExifData over the sample JPEG files against reading their first 64 KiB.
# Usage: bench/exif_read.sh [BUILD_DIR] [SAMPLES_DIR]   (defaults build-metadata, ../shared/samples)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build-metadata}
samples=${2:-$here/../shared/samples}
bench=$build/bench/exif_read
cmake --build "$build" --target exif_read > /dev/null
"$bench" "$samples" 31
