#!/usr/bin/env bash
# Starts the built viewer in a virtual X display, lets it run for a while and
# saves a screenshot of the whole screen, then closes it.
# Usage: scripts/screenshot.sh OUT.png [milliseconds to wait, default 4000]
# Settings go to a temporary folder unless VOVIRO_SETTINGS_DIR is set.
set -euo pipefail
cd "$(dirname "$0")/.."
export VOVIRO_SCREENSHOT=$(realpath -m "${1:-screenshot.png}")
export VOVIRO_SCREENSHOT_DELAY=${2:-4000}
export VOVIRO_SETTINGS_DIR=${VOVIRO_SETTINGS_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1280x900x24" ./build/voviro
echo "$VOVIRO_SCREENSHOT"
