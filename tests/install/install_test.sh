#!/usr/bin/env bash
# The release under Wine's msiexec, in a fresh Wine prefix of its own: a silent install
# of a lower version into a folder of the user's own, the installed program's first run,
# the upgrade to this version in that folder, the refused downgrade, a repair, the
# silent uninstall (after Ostrel.exe was deleted) with the hooks of every user, the same
# in a folder with a letter beyond ASCII, and the portable zip started from a folder of
# its own. scripts/test runs it on a virtual
# screen after the Wine tests (ostrel_under_wine; this script keeps a wineserver of its
# own for its own prefix). Stops with a message and a non-zero status at the first
# failed check.
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
# background processes would hold a pipe open. Its status is reg's.
query() {
    local status=0
    wine reg query "$@" </dev/null >"$log.reg" 2>/dev/null || status=$?
    tr -d '\r' <"$log.reg"
    return $status
}
exists() { wine reg query "$@" </dev/null >/dev/null 2>&1; }
# True only when the registry answers and the key (or its value) is not there: the
# nearest key that exists is listed without it. An unreadable registry is no answer.
absent() { # key [value]
    local key=$1 text
    if text=$(query "$key"); then
        [ $# -eq 2 ] && ! grep -qiF "    $2    REG_" <<<"$text"
        return
    fi
    [[ $key == *\\* ]] && absent "${key%\\*}" && return
    [[ $key == *\\* ]] && text=$(query "${key%\\*}") && ! grep -qiF "\\${key##*\\}" <<<"$text"
}
# The text of a value ('' for a key's default value).
value() { # key name
    if [ -n "$2" ]; then query "$1" /v "$2"; else query "$1" /ve; fi |
        sed -n 's/^    .*    REG_[A-Z_]*    //p'
}

folder='C:\My Apps\Ostrel Tool'
program="$folder\\Ostrel.exe"
exe="$WINEPREFIX/drive_c/My Apps/Ostrel Tool/Ostrel.exe"
startup="\"$program\" -r"
verb="\"$folder\\Ostrel\" -ADD %1"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
settings='HKCU\Software\VB and VBA Program Settings\Ostrel\Config'
vendor='HKCU\Software\Brenmoor Software\Ostrel\Main'
run='Software\Microsoft\Windows\CurrentVersion\Run'
shell='Software\Classes\Folder\shell\Create Virtual Drive'
entries() { query "$uninstall" /s | grep -c "DisplayName    REG_SZ    Ostrel$" || true; }
userData() { query "$settings" | grep -q 'Drives1' && query "$vendor" | grep -q 'PathName'; }
# The first run's start-up value and verb (the machine's, under Wine's administrator)
# name the installed program, and it is there.
hooksValid() {
    [ "$(value "HKLM\\$run" Ostrel)" = "$startup" ] &&
        [ "$(value "HKCR\\Folder\\shell\\Create Virtual Drive\\command" '')" = "$verb" ] &&
        [ -f "$exe" ]
}

echo "== Silent install of $lower into a folder of its own, and the installed program's first run"
msi /i "$(windows "$ostrel_root/build/dist-$lower/Ostrel-$lower-x64.msi")" "INSTALLDIR=$folder" ||
    fail "install failed"
[ -f "$exe" ] || fail "no $program"
mkdir -p "$WINEPREFIX/drive_c/ostrel-data"
release "$program" 'C:\ostrel-data' ||
    fail "the installed program's first run did not go as a user's would"
hooksValid || fail "the first run left no start-up value or folder verb naming $program"
userData || fail "the first run stored no drive set or window state"

echo "== Silent upgrade to $version, in that folder"
# As from a version that recorded no folder: it is found where the program is.
wine reg delete 'HKLM\Software\Brenmoor Software\Ostrel\Installer' /v InstallDir /f >/dev/null 2>&1
msi /i "$(windows "$ostrel_root/build/dist/$new")" || fail "upgrade failed"
[ "$(entries)" -eq 1 ] || fail "$(entries) Apps & features entries after the upgrade"
cmp -s "$exe" build/mingw/release/Ostrel.exe || fail "the upgrade did not put $version in $folder"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Ostrel" ] || fail "the upgrade went to the default folder"
hooksValid || fail "the upgrade lost the start-up value or the verb, or their program"
arp=$(query "$uninstall" /s | grep -A30 "DisplayName    REG_SZ    Ostrel$")
for line in "DisplayVersion    REG_SZ    $version" "Publisher    REG_SZ    Brenmoor Software" \
    "InstallLocation    REG_SZ    $folder\\" "URLInfoAbout    REG_SZ    https://www.ostrel.example/" \
    "HelpLink    REG_SZ    mailto:support@ostrel.example"; do
    grep -qF "$line" <<<"$arp" || fail "the Apps & features entry lacks $line"
done
icon=$(query 'HKLM\Software\Classes\Installer\Products' /s |
    sed -n 's/.*ProductIcon    REG_SZ    C:\\//p' | tr '\\' /)
[ -n "$icon" ] && [ -f "$WINEPREFIX/drive_c/$icon" ] || fail "no icon for the Apps & features entry"
shortcut=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Ostrel.lnk' | head -1)
[ -n "$shortcut" ] || fail "no Start-menu shortcut"
grep -aqF "$program" "$shortcut" || fail "the shortcut names another program"
userData || fail "the upgrade lost the user's data"

echo "== An older package refuses to install over the newer one"
! msi /i "$(windows "$ostrel_root/build/dist-$lower/Ostrel-$lower-x64.msi")" || fail "downgrade installed"
# Its launch condition stopped it (a silent run logs no message text).
grep -aq "WIX_DOWNGRADE_DETECTED = {" "$log" || fail "the downgrade was not refused as one"
[ "$(entries)" -eq 1 ] || fail "$(entries) Apps & features entries after the refused downgrade"

echo "== A repair brings back a deleted program and keeps its hooks"
# What "msiexec /fa package" does on Windows; Wine's msiexec passes the package's path
# where a product code belongs and fails with 1605 (unknown product), 69 as Wine's exit
# status.
rm "$exe"
msi /i "$(windows "$ostrel_root/build/dist/$new")" REINSTALL=ALL REINSTALLMODE=amus ||
    fail "repair failed"
cmp -s "$exe" build/mingw/release/Ostrel.exe || fail "the repair did not bring back the program"
hooksValid || fail "the repair lost the start-up value or the verb"

echo "== Silent uninstall, after the program was deleted, for every user"
# The hooks a run without administrator rights writes (the per-user fallback), those of
# a second user, whose hive is loaded, and a third user's value for another copy.
second='HKU\S-1-5-21-0-0-0-1001'
third='HKU\S-1-5-21-0-0-0-1002'
for user in HKCU "$second"; do
    wine reg add "$user\\$run" /v Ostrel /d "$startup" /f >/dev/null 2>&1
    wine reg add "$user\\$shell\\command" /ve /d "$verb" /f >/dev/null 2>&1
done
other='"C:\Portable Ostrel\Ostrel.exe" -r'
wine reg add "$third\\$run" /v Ostrel /d "$other" /f >/dev/null 2>&1
[ "$(value "$second\\$run" Ostrel)" = "$startup" ] || fail "the second user's hive holds no hook"
rm "$exe"
msi /x "$(windows "$ostrel_root/build/dist/$new")" || fail "uninstall failed"
[ ! -e "$(dirname "$exe")" ] || fail "the program's folder is still there"
[ -z "$(find "$WINEPREFIX/drive_c" -name Ostrel.lnk)" ] || fail "the shortcut is still there"
[ "$(entries)" -eq 0 ] || fail "the Apps & features entry is still there"
for user in HKLM HKCU "$second"; do
    absent "$user\\$run" Ostrel || fail "the start-up value under $user is still there"
done
for verbKey in 'HKCR\Folder\shell\Create Virtual Drive' "HKCU\\$shell" "$second\\$shell"; do
    absent "$verbKey" || fail "the folder verb $verbKey is still there"
done
absent 'HKLM\Software\Brenmoor Software\Ostrel\Installer' || fail "the installer's own key is still there"
[ "$(value "$third\\$run" Ostrel)" = "$other" ] || fail "the uninstall removed another copy's value"
userData || fail "the uninstall removed the user's data"
# An unreadable registry never counts as a removed value.
(wine() { return 1; } && ! absent "HKLM\\$run" Ostrel) || fail "absent passed without a registry"

echo "== A folder with a letter beyond ASCII goes whole, with its hooks"
accented='C:\Mes Outils\Ostrel é'
msi /i "$(windows "$ostrel_root/build/dist/$new")" "INSTALLDIR=$accented" || fail "install failed"
wine reg add "HKLM\\$run" /v Ostrel /d "\"$accented\\Ostrel.exe\" -r" /f >/dev/null 2>&1
exists "HKLM\\$run" /v Ostrel || fail "no start-up value to remove"
rm "$WINEPREFIX/drive_c/Mes Outils/Ostrel é/Ostrel.exe"
msi /x "$(windows "$ostrel_root/build/dist/$new")" || fail "uninstall failed"
[ ! -e "$WINEPREFIX/drive_c/Mes Outils/Ostrel é" ] || fail "the folder $accented is still there"
absent "HKLM\\$run" Ostrel || fail "the start-up value naming $accented is still there"

echo "== The portable zip's program starts from a folder of its own"
portable="$WINEPREFIX/drive_c/Portable Ostrel"
mkdir -p "$portable"
(cd "$portable" && unzip -q "$ostrel_root/build/dist/${new%.msi}.zip")
release 'C:\Portable Ostrel\Ostrel.exe' || fail "the unpacked program did not start"
echo "== Install test passed"
