#!/usr/bin/env bash
# Builds the help file from the pages in help/: the pages are kept in UTF-8 and compiled in GBK,
# the code page the help viewer reads a Chinese help file in.
# Usage: tools/build-help.sh HELP_DIR OUTPUT_CHM
set -euo pipefail
src=$1 out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for f in "$src"/*; do
  iconv -f UTF-8 -t GBK "$f" > "$work/$(basename "$f")"
done
(cd "$work" && chmcmd tapmill.hhp >/dev/null)
cp "$work/tapmill_help.chm" "$out"
