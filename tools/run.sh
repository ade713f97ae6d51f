#!/usr/bin/env bash
# Starts Sorvenal under Wine. With a display set, it simply runs the program.
# Without one, it starts a virtual display, waits for the main window, saves a
# screenshot, closes the program the ordinary way and exits 0.
set -euo pipefail
exe=$1 shot=$2
had_display=${DISPLAY:-}
. "$(dirname "$0")/wine-env.sh"
if [ -n "$had_display" ]; then
  exec wine "$exe"
fi
trap wine_env_stop EXIT
wine_env_start
wine "$exe" &
pid=$!
probe=$(dirname "$exe")/../tests/wintool.exe
# wintool waits for the main window, captures it and posts WM_CLOSE.
wine "$(dirname "$exe")/../tools/wintool.exe" shot "Brisquel - File Sorvenal" "$(winepath -w "$shot" 2>/dev/null)" 
wait "$pid"
echo "screenshot: $shot"
