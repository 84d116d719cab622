# Sourced, with the mingw build folder as its argument: the environment every Wine run
# of the project uses. Its own prefix under the build folder (made on first use), quiet
# logs, no Mono or Gecko install prompts, and the subst stand-in in the place of Wine's
# own subst.exe, which does nothing: the program runs subst only from the system
# folder. Source it again after rebuilding the stand-in.
ostrel_build=$(cd "${1:?build folder}" 2>/dev/null && pwd || echo "$1")
export WINEPREFIX="$ostrel_build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;subst.exe=n"
export OSTREL_WINE_READY=1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== Creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi
ostrel_standin="$ostrel_build/tests/standin/subst.exe"
if [ -f "$ostrel_standin" ]; then
    cp "$ostrel_standin" "$WINEPREFIX/drive_c/windows/system32/subst.exe"
fi
