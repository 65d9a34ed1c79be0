# Sourced by the histogram benchmarks: sets $jpeg to a 6000 × 4000 JPEG made
# once from a sample photo (a phone picture scaled up with vips, quality 90).
dir=bench/corpus-histogram
jpeg="$dir/24mp.jpg"
if [ ! -f "$jpeg" ]; then
    mkdir -p "$dir"
    vips resize ../shared/samples/jpg/mobile/jolla.jpg "$jpeg[Q=90]" 1.83824 --vscale 1.63399
fi
