# Sourced, with the mingw build folder as its argument: the environment every Wine run
# of the project uses. Its own prefix under the build folder, the subst stand-in first
# on the search path, quiet logs, no Mono or Gecko install prompts.
ostrel_build=$(cd "${1:?build folder}" 2>/dev/null && pwd || echo "$1")
export WINEPREFIX="$ostrel_build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPATH="Z:$(echo "$ostrel_build/tests/standin" | tr / '\\')"
export OSTREL_WINE_READY=1
