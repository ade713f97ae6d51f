#!/usr/bin/env bash
# Starts Sorvenal under Wine. With a display set, it simply runs the program.
# Without one, it starts a virtual display, waits for the main window, saves a
# screenshot (PNG), closes the program the ordinary way and exits 0.
# On a machine that cannot execute 32-bit programs it runs the 64-bit build
# of the main window instead (build/win64, without the exception reporter).
set -euo pipefail
exe=$1 shot=$2
build=$(dirname "$(dirname "$exe")")
had_display=${DISPLAY:-}
if ! bash "$(dirname "$0")/wine-bits.sh" 32; then
  echo "run: this machine cannot execute 32-bit programs; showing the 64-bit build of the main window, without the exception reporter" >&2
  export SORVENAL_WINE_BITS=64
  build=$(dirname "$build")/win64
  exe=$build/app/SorvenalUi.exe
fi
. "$(dirname "$0")/wine-env.sh"
if [ "$SORVENAL_WINE_OK" != 1 ]; then
  echo "run: $SORVENAL_WINE_MISSING" >&2
  exit 1
fi
if [ -n "$had_display" ]; then
  wine "$exe"
  exit
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
