# Sourced by lib.sh: gives the build's Wine prefix the fonts a Windows user's system has,
# once per prefix. Without them Wine draws every face with one fallback font and the
# caption buttons as letters ("0 1 r").
ostrel_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/DroidSansFallbackFull.ttf" ] && return 0
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
    # Letters a face lacks come from linked fonts, as on Windows: Chinese and Japanese from
    # Droid Sans Fallback (fonts-droid-fallback), symbols from Symbola (fonts-symbola).
    cp /usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf \
        /usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf "$fonts/"
    local links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    for face in Verdana "DejaVu Sans" Tahoma Arial "Liberation Sans" "MS Sans Serif" \
        "MS Shell Dlg" "MS Shell Dlg 2"; do
        wine reg add "$links" /v "$face" /t REG_MULTI_SZ /f \
            /d 'DroidSansFallbackFull.ttf,Droid Sans Fallback\0Symbola_hint.ttf,Symbola' >/dev/null 2>&1
    done
    wineserver -w
}
