# Shared by scripts/test, scripts/run and scripts/bench: installing what a fresh Debian
# machine lacks, building a preset, and running commands under Wine in the build's prefix.

ostrel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ostrel_packages=(cmake make g++ googletest libgtest-dev libgmock-dev g++-mingw-w64-x86-64-posix
    mingw-w64-tools wine wine64 fonts-wine fonts-liberation fonts-dejavu-core fonts-droid-fallback
    fonts-symbola xvfb xauth x11-xserver-utils imagemagick x11-utils clang libclang-rt-14-dev
    wixl msitools faketime osslsigncode openssl python3 python3-yaml zip unzip)

ostrel_install_deps() {
    local missing=()
    for package in "${ostrel_packages[@]}"; do
        dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "== Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

ostrel_build() { # preset
    cmake --preset "$1" -S "$ostrel_root" >/dev/null
    cmake --build --preset "$1" -j "$(nproc)"
}

# Prepares the build's Wine prefix and sets the environment of every Wine run.
ostrel_wine_env() {
    # shellcheck source=wine-env.sh
    . "$ostrel_root/scripts/wine-env.sh" "$ostrel_root/build/mingw"
    # shellcheck source=wine-fonts.sh
    . "$ostrel_root/scripts/wine-fonts.sh"
    ostrel_wine_fonts
}

# Wine takes the monitors from the X server's Xinerama heads rather than its RandR
# outputs: Xvfb has one output, but the heads show the monitors set on its screen.
ostrel_wine_monitors() {
    grep -qs '"UseXRandR"="N"' "$WINEPREFIX/user.reg" && return 0
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
    wineserver -w
}

# Runs a command on a virtual screen (Xvfb) in the build's Wine prefix, with one
# persistent wineserver for the whole command: drive substitutions live in it, and
# every Wine process start is cheap while it runs. The server is stopped afterwards;
# the command's exit status is returned. The screen holds two monitors side by side,
# 1280 x 1024 pixels each, the left one primary; the server keeps them while no program
# is connected (-noreset). No window manager runs there, so for the command Wine draws
# the windows' frames and captions itself, and screenshots show them.
ostrel_under_wine() { # command [arguments...]
    ostrel_wine_env
    ostrel_wine_monitors
    xvfb-run -a -s "-screen 0 2560x1024x24 -noreset" bash -c '
        xrandr --setmonitor OSTREL-1 1280/338x1024/270+0+0 screen >/dev/null
        xrandr --setmonitor OSTREL-2 1280/338x1024/270+1280+0 none >/dev/null
        wineserver -p </dev/null >/dev/null 2>&1
        x11="HKCU\\Software\\Wine\\X11 Driver"
        wine reg add "$x11" /v Managed /d N /f </dev/null >/dev/null 2>&1
        status=0
        "$@" || status=$?
        wine reg delete "$x11" /v Managed /f </dev/null >/dev/null 2>&1
        wineserver -k || true
        exit $status' bash "$@"
}
