#!/usr/bin/env bash
# scripts/wine-session.sh start|fresh|stop DIR: the Wine prefix, Xvfb display
# and wine server that one build's Windows tests share. start creates the
# prefix once per build folder; fresh makes it anew, for tests that change it
# and must find it untouched; stop ends the display and the server.
# LUMVIK_WINE_DPI sets the screen resolution of a prefix being made.
set -euo pipefail
action=$1
export LUMVIK_WINE_DIR=$(realpath -m "$2")
mkdir -p "$LUMVIK_WINE_DIR"
. "$(dirname "$0")/wine-env.sh"

start_display() {
  local n
  for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    echo $! > "$LUMVIK_WINE_DIR/xvfb.pid"
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { echo ":$n" > "$LUMVIK_WINE_DIR/display"; return 0; }
      kill -0 "$(cat "$LUMVIK_WINE_DIR/xvfb.pid")" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

case "$action" in
  start)
    "$0" stop "$LUMVIK_WINE_DIR"
    start_display
    export DISPLAY=$(cat "$LUMVIK_WINE_DIR/display")
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$WINE" wineboot -i </dev/null >/dev/null 2>&1
      # LUMVIK_WINE_DPI=120 (say) makes every font of a new prefix larger:
      # the black-box scenarios must pass with it too.
      if [ -n "${LUMVIK_WINE_DPI:-}" ]; then
        for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
          "$WINE" reg add "$key" /v LogPixels /t REG_DWORD /d "$LUMVIK_WINE_DPI" /f \
            </dev/null >/dev/null 2>&1
        done
      fi
    fi
    # Wine's own services start with the first program of a session and live
    # on; started here, they hold no test's output open.
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
    ;;
  fresh)
    "$0" stop "$LUMVIK_WINE_DIR"
    rm -rf "$WINEPREFIX"
    exec "$0" start "$LUMVIK_WINE_DIR"
    ;;
  stop)
    # The server of this prefix only: other prefixes keep theirs.
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    if [ -f "$LUMVIK_WINE_DIR/xvfb.pid" ]; then
      kill "$(cat "$LUMVIK_WINE_DIR/xvfb.pid")" 2>/dev/null || true
      rm -f "$LUMVIK_WINE_DIR/xvfb.pid"
    fi
    rm -f "$LUMVIK_WINE_DIR/display"
    ;;
  *) echo "usage: $0 start|fresh|stop DIR" >&2; exit 2 ;;
esac
