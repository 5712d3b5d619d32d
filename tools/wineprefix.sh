#!/usr/bin/env bash
# Creates the shared Wine prefix once (no Mono or Gecko download: there is no network) and maps the
# Chinese and dialog fonts to WenQuanYi Micro Hei so that the interface text shows as glyphs, not boxes.
# Running it again on an existing prefix only re-applies the settings.
# Usage: tools/wineprefix.sh PREFIX
set -euo pipefail
prefix=${1:?prefix folder}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
stamp=$prefix/.tapmill-ready-2
[ -f "$stamp" ] && exit 0
mkdir -p "$prefix"
[ -f "$prefix/system.reg" ] || { wineboot -i >/dev/null 2>&1 || true; wineserver -w; }
reg=$(mktemp --suffix=.reg)
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"SimSun"="WenQuanYi Micro Hei"
"宋体"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Micro Hei"
"Tahoma"="WenQuanYi Micro Hei"
"MS Shell Dlg"="WenQuanYi Micro Hei"
"MS Shell Dlg 2"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"

; With no window manager on a virtual display, Wine draws the title bars itself.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winemenubuilder.exe"=""
REG
# regedit reads .reg files in the ANSI code page unless they carry a BOM; write UTF-16 to keep 宋体 intact.
iconv -f UTF-8 -t UTF-16 "$reg" > "$reg.u16"
wine regedit /S "$reg.u16" >/dev/null 2>&1
wineserver -w
rm -f "$reg" "$reg.u16"
touch "$stamp"
