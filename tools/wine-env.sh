# Sourced by the scripts that run Windows programs: a private Wine prefix in
# the build tree and, when no display is set, a virtual X display.
# Sets WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES and DISPLAY; defines wine,
# wine_env_start and wine_env_stop.
# SORVENAL_WINE_BITS=64 selects 64-bit Wine and its own prefix, for the
# programs of the 64-bit test build (see CMakeLists.txt); the default, 32,
# runs the product's 32-bit programs.
SORVENAL_ROOT=${SORVENAL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
SORVENAL_WINE_BITS=${SORVENAL_WINE_BITS:-32}
export WINEDEBUG=${WINEDEBUG:--all}
# Keeps a new prefix from asking for Mono and Gecko.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ "$SORVENAL_WINE_BITS" = 64 ]; then
  export WINEPREFIX=${WINEPREFIX:-$SORVENAL_ROOT/build/wineprefix64}
  export WINEARCH=win64
  # Debian's wine wrapper prefers the 32-bit loader whenever it is installed.
  export WINELOADER=/usr/lib/wine/wine64
  _sorvenal_wine_loader=$WINELOADER
else
  export WINEPREFIX=${WINEPREFIX:-$SORVENAL_ROOT/build/wineprefix}
  export WINEARCH=win32
  _sorvenal_wine_loader=$(command -v wine || echo wine)
fi
wine() { "$_sorvenal_wine_loader" "$@"; }

# Wine runs our 32-bit programs through its 32-bit Linux loader. Some
# machines cannot execute 32-bit Linux programs at all (a kernel without
# 32-bit support: "Exec format error"); there nothing below can work, and the
# scripts say so instead of failing on every program.
# A 32-bit loader run through a user-mode emulator (registered with
# binfmt_misc) works, but hundreds of times too slowly for the tests.
wine_can_run() {
  if [ "$SORVENAL_WINE_BITS" = 32 ]; then
    grep -qs 'interpreter .*qemu-i386' /proc/sys/fs/binfmt_misc/* && return 1
  fi
  wine --version >/dev/null 2>&1
}
if wine_can_run; then SORVENAL_WINE_OK=1; else SORVENAL_WINE_OK=0; fi
if [ "$SORVENAL_WINE_BITS" = 64 ]; then
  SORVENAL_WINE_MISSING="64-bit Wine ($WINELOADER) does not run here"
else
  SORVENAL_WINE_MISSING="this machine cannot execute 32-bit programs (Wine's 32-bit loader fails), so 32-bit Windows programs cannot run here"
fi
# tools/wine-bits.sh only asks whether Wine runs.
[ "${SORVENAL_WINE_CHECK_ONLY:-}" = 1 ] && return 0

_sorvenal_xvfb_pid=
if [ "$SORVENAL_WINE_OK" = 1 ] && [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    _sorvenal_xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$_sorvenal_xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; break; fi
    _sorvenal_xvfb_pid=
  done
fi

if [ "$SORVENAL_WINE_OK" = 1 ] && [ ! -f "$WINEPREFIX/.sorvenal-ready" ]; then
  mkdir -p "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1 || true
  # Without a window manager, hiding a top-level window makes Wine wait 2 s for
  # an answer that never comes; unmanaged windows avoid that stall.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  wineserver -w
  touch "$WINEPREFIX/.sorvenal-ready"
fi

# Starts the wineserver and Wine's background services (explorer, services)
# once, detached from our output: a test runner that waits for its pipes to
# close would otherwise wait for them until they exit.
wine_env_start() {
  [ "$SORVENAL_WINE_OK" = 1 ] || return 0
  wineserver -p 2>/dev/null || true  # already running for this prefix: fine
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$_sorvenal_xvfb_pid" ]; then kill "$_sorvenal_xvfb_pid" 2>/dev/null || true; fi
}
