#!/bin/sh
# Histogram computation over a 24-megapixel picture against a plain byte-sum
# pass in the same process (see bench/README.md).
# Usage: bench/histogram_compute.sh [BUILD_DIR]   (default build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target histogram_compute >/dev/null
. bench/histogram_corpus.sh
"$build/bench/histogram_compute"
"$build/bench/histogram_compute" "$jpeg"
