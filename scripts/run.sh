#!/usr/bin/env bash
# Builds Tandrel for Windows (x86_64), lays out a tool root in build/toolroot
# and starts the program there under Wine. Without an X display it runs under
# Xvfb instead, saves screenshots as PNG files, prints their paths and ends.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tandrel lay_out_tool_root take_screenshots

toolroot="$root/build/toolroot"
rm -rf "$toolroot"
export DISPLAY="${DISPLAY:-}"
if [ -n "$DISPLAY" ]; then
    scripts/wine.sh build/win64/support/toolroot/lay_out_tool_root.exe "Z:$toolroot"
    cp build/win64/tandrel.exe "$toolroot/"
    exec scripts/wine.sh "Z:$toolroot/tandrel.exe"
fi

shots="$root/build/screenshots"
rm -rf "$shots"
mkdir -p "$shots"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -e
    scripts/wine.sh build/win64/support/toolroot/lay_out_tool_root.exe "Z:$1"
    cp build/win64/tandrel.exe "$1/"
    scripts/wine.sh build/win64/support/screenshots/take_screenshots.exe "Z:$1" "Z:$2"
    /usr/lib/wine/wineserver64 -k || true
' run "$toolroot" "$shots"
for bmp in "$shots"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png"
    rm -f "$bmp"
    echo "screenshot: ${bmp%.bmp}.png"
done
