#!/usr/bin/env bash
# Builds Tarvisk64.exe from the same sources in two folders of different names and lengths and
# checks that both give the same bytes as each other and as the build under test: no link
# timestamp and no build path may end up in the file.
set -euo pipefail
source_dir=$1
work=$2
reference=$3

rm -rf "$work"
for name in a longer-folder-name; do
  copy=$work/$name/src-tree
  mkdir -p "$copy"
  tar -C "$source_dir" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$copy" -xf -
  cmake -S "$copy" -B "$work/$name/out" -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$work/$name/out" --target Tarvisk64 >/dev/null
done
cmp "$work/a/out/bin/Tarvisk64.exe" "$work/longer-folder-name/out/bin/Tarvisk64.exe"
cmp "$work/a/out/bin/Tarvisk64.exe" "$reference"
echo "Tarvisk64.exe is byte-identical in $work/a, $work/longer-folder-name and the tested build"
