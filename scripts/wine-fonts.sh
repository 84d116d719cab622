# Sourced by lib.sh: gives the build's Wine prefix the fonts a Windows user's system has,
# once per prefix. Without them Wine draws every face with one fallback font and the
# caption buttons as letters ("0 1 r").
ostrel_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] && return 0
    echo "== Giving the Wine prefix its fonts"
    mkdir -p "$fonts"
    # Wine's own caption-button glyphs and dialog font (fonts-wine).
    cp /usr/share/wine/fonts/{marlett,tahoma,tahomabd}.ttf "$fonts/"
    # Metric-compatible stand-ins for the faces the windows name: Liberation Sans is
    # Arial's (fonts-liberation) and stands for MS Sans Serif too; DejaVu Sans, drawn
    # from Bitstream Vera, is as wide as Verdana (fonts-dejavu-core).
    local replacements='HKCU\Software\Wine\Fonts\Replacements' face
    for face in "Arial=Liberation Sans" "MS Sans Serif=Liberation Sans" "Verdana=DejaVu Sans"; do
        wine reg add "$replacements" /v "${face%%=*}" /d "${face#*=}" /f >/dev/null 2>&1
    done
    wineserver -w
}
