#!/usr/bin/env bash
# Starts Sorvenal under Wine. With a display set, it simply runs the program.
# Without one, it starts a virtual display, waits for the main window, saves a
# screenshot (PNG), closes the program the ordinary way and exits 0.
set -euo pipefail
exe=$1 shot=$2
build=$(cd "$(dirname "$exe")/.." && pwd)
had_display=${DISPLAY:-}
. "$(dirname "$0")/wine-env.sh"
if [ "$SORVENAL_WINE_OK" != 1 ]; then
  echo "run: $SORVENAL_WINE_MISSING" >&2
  exit 1
fi
if [ -n "$had_display" ]; then
  exec wine "$exe"
fi
trap wine_env_stop EXIT
wine_env_start
wine "$exe" &
pid=$!
bmp=$(mktemp --suffix=.bmp)
wine "$build/tools/wintool.exe" shot "Brisquel - File Sorvenal" "$(wine winepath -w "$bmp")" --close
wait "$pid"
mkdir -p "$(dirname "$shot")"
convert "$bmp" "$shot"
rm -f "$bmp"
echo "screenshot: $shot"
