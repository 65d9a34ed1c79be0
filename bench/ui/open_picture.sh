#!/bin/sh
# Opening a 24-megapixel JPEG through the main window (both decode paths)
# against tjDecompress2 alone, repaints while zooming and scrolling, and the
# peak memory of re-opening a 12,000 x 9,000 picture.
# Usage: bench/ui/open_picture.sh [BUILD_DIR] [RUNS]   (default build-window, 11)
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build-window}
runs=${2:-11}
cmake --build "$build" --target open_picture >/dev/null
bin="$build/bench/open_picture"
dir=$(pwd)/bench/corpus-open
# Each picture in a folder of its own, so the window lists just that one file.
mkdir -p "$dir/24mp" "$dir/large"
[ -f "$dir/24mp/24mp.jpg" ] || "$bin" --make 6000 4000 "$dir/24mp/24mp.jpg"
[ -f "$dir/large/large.jpg" ] || "$bin" --make 12000 9000 "$dir/large/large.jpg"
export QT_QPA_PLATFORM=offscreen
status=0
"$bin" "$dir/24mp/24mp.jpg" "$runs" 2>/dev/null || status=1
"$bin" --memory "$dir/large/large.jpg" 2>/dev/null || status=1
exit $status
