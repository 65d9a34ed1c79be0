#!/bin/sh
# Times the file layer (through voviro-tool files) against the system's tools
# on N photo-sized files: copy into another folder of the same file system
# against cp -a (and cp -a followed by sync, since every copy of ours is
# flushed before it is renamed in), move within the file system against mv,
# and trashing against gio trash when it is installed.
# Usage: bench/file_ops.sh [BUILD_DIR] [FILES] [MB]   (defaults build, 1000, 5)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
files=${2:-1000}
mb=${3:-5}
tool=$build/voviro-tool
[ -x "$tool" ] || cmake --build "$build" --target voviro-tool
dir=$(mktemp -d "${TMPDIR:-/tmp}/voviro-bench-files-XXXXXX")
trap 'rm -rf "$dir"' EXIT
export XDG_DATA_HOME="$dir/data"

now() { date +%s.%N; }
# seconds COMMAND...: runs it, output dropped, and prints the wall time.
seconds() {
    start=$(now)
    "$@" > /dev/null
    end=$(now)
    echo "$end - $start" | bc
}
ratio() { echo "scale=2; $1 / $2" | bc; }

fill() { # fill FOLDER: FILES files of MB MiB (incompressible), written to disk
    mkdir -p "$1"
    head -c $((mb * 1048576)) /dev/urandom > "$dir/one.jpg"
    i=0
    while [ $i -lt "$files" ]; do
        cp "$dir/one.jpg" "$1/IMG_$(printf '%05d' $i).JPG"
        i=$((i + 1))
    done
    sync
}

fill "$dir/src"
echo "$files files of $mb MiB in $dir"

mkdir -p "$dir/ours"
ours=$(seconds "$tool" files copy "$dir"/src/* "$dir/ours")
[ "$(ls "$dir/ours" | wc -l)" -eq "$files" ] || echo "FAIL: not every file was copied"
rm -rf "$dir/ours"; sync
cp_only=$(seconds cp -a "$dir/src/." "$dir/ref")
cp_sync=$(echo "$cp_only + $(seconds sync)" | bc)
echo "copy: voviro-tool $ours s, cp -a $cp_only s (ratio $(ratio "$ours" "$cp_only")), cp -a + sync $cp_sync s (ratio $(ratio "$ours" "$cp_sync"))"
rm -rf "$dir/ref"; sync

mkdir -p "$dir/moved" "$dir/mv"
ours=$(seconds "$tool" files move "$dir"/src/* "$dir/moved")
ref=$(seconds sh -c "mv '$dir'/moved/* '$dir/mv/'")
[ "$(ls "$dir/mv" | wc -l)" -eq "$files" ] || echo "FAIL: not every file was moved"
rm -rf "$dir/mv"
echo "move: voviro-tool $ours s, mv $ref s (ratio $(ratio "$ours" "$ref"))"

# Trashing: FILES small files each way (the size of a file does not matter to a rename).
mkdir -p "$dir/t1" "$dir/t2"
i=0
while [ $i -lt "$files" ]; do
    name=IMG_$(printf '%05d' $i).JPG
    echo $i > "$dir/t1/$name"
    echo $i > "$dir/t2/$name"
    i=$((i + 1))
done
ours=$(seconds "$tool" files trash "$dir"/t1/*)
if command -v gio > /dev/null; then
    ref=$(seconds gio trash "$dir"/t2/*)
    echo "trash: voviro-tool $ours s, gio trash $ref s (ratio $(ratio "$ours" "$ref"))"
else
    echo "trash: voviro-tool $ours s (gio not installed)"
fi
[ -z "$(ls -A "$dir/t1")$(ls -A "$dir/t2")" ] || echo "FAIL: files left untrashed"
