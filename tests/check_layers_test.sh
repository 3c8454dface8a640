#!/usr/bin/env bash
# scripts/check-layers on scratch copies of the product, each with one
# forbidden include added: every one must be refused; the real tree passes.
set -uo pipefail
cd "$(dirname "$0")/.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# file | include line | what it breaks
rows='catalogue/x.cpp|#include "copy/copy.h"|a feature using one that uses it
app/x.cpp|#include "tests/fake_platform.h"|test code in the product
store/x.h|#include <bench/system.h>|benchmark code in the product
ui/qt/x.cpp|#include "ui/win32/shell.h"|one window using the other
ui/win32/x.cpp|# include <ui/qt/main_window.h>|the other way, spaced and in brackets
store/x.cpp|#include <app/dispatch.h>|a layer above, in brackets
lists/x.cpp|#include "../app/dispatch.h"|a layer above, relative
store/x.cpp|#include "../platform/platform.h"|the bottom folders beside each other
ui/qt/x.cpp|#include "../../platform/posix/drive_map.h"|around the platform seam
catalogue/x.cpp|#include"./../player/player.h"|a feature beside it, not allowed that way
platform/posix/x.cpp|#include "../win32/wide.h"|one platform using the other'
failed=0
scripts/check-layers >/dev/null || { echo "FAIL: the real tree is refused"; failed=1; }
while IFS='|' read -r file line what; do
  tree=$(mktemp -d -p "$scratch")
  cp -r store platform browser lists catalogue player copy app ui scripts "$tree/"
  echo "$line" >> "$tree/$file"
  "$tree/scripts/check-layers" >/dev/null && { echo "FAIL: $what passes ($file: $line)"; failed=1; }
done <<< "$rows"
exit $failed
