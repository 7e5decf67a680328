#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine with the project's own prefix.
# Without an X display it runs the program inside a private Xvfb server.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
export LC_ALL=zh_CN.UTF-8

if [ -z "${DISPLAY:-}" ]; then
    status=0
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@" || status=$?
    "$WINESERVER" -k 2>/dev/null || true
    exit "$status"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
fi

# Windows live on a virtual desktop whose frames Wine draws itself, and the
# program's fonts (and the default GUI font) resolve to an outline CJK font:
# the small bitmap sizes of other CJK fonts lack some ASCII glyphs.
if [ ! -f "$WINEPREFIX/.tandrel-settings" ]; then
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f \
        >/dev/null 2>&1
    for face in "MS Shell Dlg" "MS Shell Dlg 2" "SimSun" "NSimSun" "宋体" "新宋体" \
        "Microsoft YaHei" "微软雅黑"; do
        "$WINELOADER" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" \
            /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    "$WINESERVER" -w
    touch "$WINEPREFIX/.tandrel-settings"
fi
exec "$WINELOADER" "$@"
