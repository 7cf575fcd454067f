# Sourced by the Wine scripts: the environment every Wine run of ours uses.
# Needs LUMVIK_WINE_DIR, the folder of one build's Wine prefix and display.
export WINEPREFIX="$LUMVIK_WINE_DIR/prefix"
export WINEDEBUG=-all
# Wine must never offer its Mono and Gecko downloads.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINE=/usr/lib/wine/wine64
if [ -f "$LUMVIK_WINE_DIR/display" ]; then
  DISPLAY=$(cat "$LUMVIK_WINE_DIR/display")
  export DISPLAY
fi
