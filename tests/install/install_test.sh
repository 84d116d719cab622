#!/usr/bin/env bash
# The release under Wine's msiexec, in a fresh Wine prefix of its own: a silent install
# of a lower version, the installed program's first run, the upgrade to this version,
# the refused downgrade, the silent uninstall, and the portable zip started from a
# folder of its own. scripts/test runs it on a virtual screen after the Wine tests
# (ostrel_under_wine; this script keeps a wineserver of its own for its own prefix).
# Stops with a message and a non-zero status at the first failed check.
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
cd "$ostrel_root"

lower=1.0.0 # any version below the real one
scripts/package >/dev/null
OSTREL_VERSION=$lower scripts/package >/dev/null
new=$(cd build/dist && ls Ostrel-*-x64.msi)
version=${new#Ostrel-}
version=${version%-x64.msi}

# The project's Wine settings, in a prefix made afresh with the subst stand-in in place.
. scripts/wine-env.sh build/mingw
export WINEPREFIX="$ostrel_root/build/install/wineprefix"
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
echo "== Install test: a fresh Wine prefix in $WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w
cp "$ostrel_standin" "$WINEPREFIX/drive_c/windows/system32/subst.exe"
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k || true' EXIT

log="$ostrel_root/build/install/msiexec.log"
fail() {
    echo "install test: $*" >&2
    exit 1
}
windows() { echo "Z:$1" | tr / '\\'; }
# The end-to-end tests' run of a release's program (its path, and a folder for add mode);
# it passes when that one test ran and passed.
release() {
    OSTREL_RELEASE="$1" OSTREL_FOLDER="${2:-}" wine build/mingw/tests/e2e/e2e_tests.exe \
        --gtest_also_run_disabled_tests --gtest_filter='Release.*' </dev/null >"$log.run" 2>&1 &&
        grep -q '^\[  PASSED  \] 1 test' "$log.run"
}
# msiexec with a verbose log; its status is the function's.
msi() { wine msiexec "$@" /qn /l*v "$(windows "$log")" </dev/null >/dev/null 2>&1; }
# The text of a registry key (with /s, of everything below it too), through a file: Wine's
# background processes would hold a pipe open.
query() {
    wine reg query "$@" </dev/null >"$log.reg" 2>/dev/null || true
    tr -d '\r' <"$log.reg"
}
exists() { wine reg query "$@" </dev/null >/dev/null 2>&1; }

program="C:\\Program Files\\Ostrel\\Ostrel.exe"
exe="$WINEPREFIX/drive_c/Program Files/Ostrel/Ostrel.exe"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
settings='HKCU\Software\VB and VBA Program Settings\Ostrel\Config'
vendor='HKCU\Software\Brenmoor Software\Ostrel\Main'
runKeys=('HKLM\Software\Microsoft\Windows\CurrentVersion\Run' 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run')
verbKeys=('HKCR\Folder\shell\Create Virtual Drive' 'HKCU\Software\Classes\Folder\shell\Create Virtual Drive')
hooked() { # true when the start-up value and the verb exist (in one place each)
    local run=0 verb=0 key
    for key in "${runKeys[@]}"; do exists "$key" /v Ostrel && run=1; done
    for key in "${verbKeys[@]}"; do exists "$key\\command" && verb=1; done
    [ $run -eq 1 ] && [ $verb -eq 1 ]
}
unhooked() { # true when neither exists anywhere
    local key
    for key in "${runKeys[@]}"; do ! exists "$key" /v Ostrel || return 1; done
    for key in "${verbKeys[@]}"; do ! exists "$key" || return 1; done
}
entries() { query "$uninstall" /s | grep -c "DisplayName    REG_SZ    Ostrel$" || true; }
userData() { query "$settings" | grep -q 'Drives1' && query "$vendor" | grep -q 'PathName'; }

echo "== Silent install of $lower, and the installed program's first run"
msi /i "$(windows "$ostrel_root/build/dist-$lower/Ostrel-$lower-x64.msi")" || fail "install failed"
[ -f "$exe" ] || fail "no $program"
mkdir -p "$WINEPREFIX/drive_c/ostrel-data"
release "$program" 'C:\ostrel-data' ||
    fail "the installed program's first run did not go as a user's would"
hooked || fail "the first run left no start-up value or folder verb"
userData || fail "the first run stored no drive set or window state"

echo "== Silent upgrade to $version"
msi /i "$(windows "$ostrel_root/build/dist/$new")" || fail "upgrade failed"
[ "$(entries)" -eq 1 ] || fail "$(entries) Apps & features entries after the upgrade"
arp=$(query "$uninstall" /s | grep -A30 "DisplayName    REG_SZ    Ostrel$")
for line in "DisplayVersion    REG_SZ    $version" "Publisher    REG_SZ    Brenmoor Software"; do
    grep -q "$line" <<<"$arp" || fail "the Apps & features entry lacks $line"
done
icon=$(query 'HKLM\Software\Classes\Installer\Products' /s |
    sed -n 's/.*ProductIcon    REG_SZ    C:\\//p' | tr '\\' /)
[ -n "$icon" ] && [ -f "$WINEPREFIX/drive_c/$icon" ] || fail "no icon for the Apps & features entry"
shortcut=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Ostrel.lnk' | head -1)
[ -n "$shortcut" ] || fail "no Start-menu shortcut"
grep -aq 'C:\\Program Files\\Ostrel\\Ostrel.exe' "$shortcut" || fail "the shortcut names another program"
userData || fail "the upgrade lost the user's data"
# The start-up value and the verb are not checked here: Windows Installer removes the
# older version with UPGRADINGPRODUCTCODE set, which keeps its cleanup from running, but
# Wine's msiexec sets nothing and the cleanup runs.

echo "== An older package refuses to install over the newer one"
! msi /i "$(windows "$ostrel_root/build/dist-$lower/Ostrel-$lower-x64.msi")" || fail "downgrade installed"
# Its launch condition stopped it (a silent run logs no message text).
grep -aq "WIX_DOWNGRADE_DETECTED = {" "$log" || fail "the downgrade was not refused as one"
[ "$(entries)" -eq 1 ] || fail "$(entries) Apps & features entries after the refused downgrade"

echo "== Silent uninstall"
# The hooks in all four places, as runs with and without administrator rights write them.
for key in "${runKeys[@]}"; do wine reg add "$key" /v Ostrel /d "$program -r" /f >/dev/null 2>&1; done
for key in "${verbKeys[@]}"; do wine reg add "$key\\command" /ve /d "$program -ADD %1" /f >/dev/null 2>&1; done
msi /x "$(windows "$ostrel_root/build/dist/$new")" || fail "uninstall failed"
[ ! -e "$(dirname "$exe")" ] || fail "the program's folder is still there"
[ -z "$(find "$WINEPREFIX/drive_c" -name Ostrel.lnk)" ] || fail "the shortcut is still there"
[ "$(entries)" -eq 0 ] || fail "the Apps & features entry is still there"
unhooked || fail "the start-up value or the folder verb is still there"
userData || fail "the uninstall removed the user's data"

echo "== The portable zip's program starts from a folder of its own"
portable="$WINEPREFIX/drive_c/Portable Ostrel"
mkdir -p "$portable"
(cd "$portable" && unzip -q "$ostrel_root/build/dist/${new%.msi}.zip")
release 'C:\Portable Ostrel\Ostrel.exe' || fail "the unpacked program did not start"
echo "== Install test passed"
