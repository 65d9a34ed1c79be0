#!/bin/sh
# Times the metadata panel's rebuild for a file with full groups, offscreen.
# Usage: bench/ui/info_frame_rebuild.sh [BUILD_DIR]   (default build)
set -eu
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$here/build}
[ -x "$build/bench/info_frame_rebuild" ] || cmake --build "$build" --target info_frame_rebuild
QT_QPA_PLATFORM=offscreen "$build/bench/info_frame_rebuild" 101
