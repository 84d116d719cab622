#!/usr/bin/env bash
# The release as published: built twice from this commit (with the working tree's changes)
# in two fresh folders of different names, at different times, with other file times,
# time zone and umask, every file the same byte for byte; packaged again with a throwaway
# certificate, Ostrel.exe in the zip and in the installer and the installer signed by it,
# and the signed program still starting under Wine; SHA256SUMS and the winget and Scoop
# manifests of both matching the files they describe. scripts/test runs it before the
# install test. Stops with a message and a non-zero status at the first failed check.
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
cd "$ostrel_root"
ostrel_install_deps

fail() {
    echo "release test: $*" >&2
    exit 1
}
scratch="$ostrel_root/build/release-test"
rm -rf "$scratch"
mkdir -p "$scratch"

# A fresh checkout of this commit holding the working tree's tracked files as they are.
checkout() { # folder
    git clone -q --shared --no-checkout "$ostrel_root" "$1"
    git -C "$1" checkout -q "$(git rev-parse HEAD)"
    git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$1"
}

echo "== Two builds of one commit, in two fresh folders"
first="$scratch/first"
second="$scratch/a second place/ostrel"
checkout "$first"
(unset SOURCE_DATE_EPOCH && "$first/scripts/package" >/dev/null)
mkdir -p "$(dirname "$second")"
checkout "$second"
find "$second" -path "$second/.git" -prune -o -exec touch -h -d '2001-02-03 04:05:06' {} +
(unset SOURCE_DATE_EPOCH && umask 077 && TZ=Pacific/Auckland "$second/scripts/package" >/dev/null)
diff -r "$first/build/dist" "$second/build/dist" >/dev/null ||
    fail "two builds differ: $(diff -rq "$first/build/dist" "$second/build/dist" | head -3)"
[ "$(find "$first/build/dist" -type f | wc -l)" -ge 6 ] || fail "the release lacks files"
unsigned="$scratch/unsigned"
cp -r "$first/build/dist" "$unsigned"

echo "== Signed with a throwaway certificate"
certificate="$scratch/certificate"
mkdir -p "$certificate"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Ostrel release test" \
    -keyout "$certificate/key.pem" -out "$certificate/cert.pem" 2>/dev/null
echo "a password" >"$certificate/password.txt"
openssl pkcs12 -export -inkey "$certificate/key.pem" -in "$certificate/cert.pem" \
    -passout "file:$certificate/password.txt" -out "$certificate/cert.pfx"
OSTREL_SIGN_PFX="$certificate/cert.pfx" OSTREL_SIGN_PASSWORD_FILE="$certificate/password.txt" \
    "$first/scripts/package" >"$scratch/signed.log"
grep -q "^Unsigned" "$scratch/signed.log" && fail "packaged with a certificate, it says unsigned"
signed="$first/build/dist"
msi=$(cd "$signed" && ls Ostrel-*-x64.msi)
mkdir -p "$scratch/zip" "$scratch/msi"
unzip -q "$signed/${msi%.msi}.zip" -d "$scratch/zip"
msiextract -C "$scratch/msi" "$signed/$msi" >/dev/null
extracted=$(find "$scratch/msi" -name Ostrel.exe)
for file in "$scratch/zip/Ostrel.exe" "$extracted" "$signed/$msi"; do
    osslsigncode verify -CAfile "$certificate/cert.pem" -in "$file" >"$scratch/verify.log" 2>&1 &&
        grep -q "Signature verification: ok" "$scratch/verify.log" &&
        grep -q "Subject: /CN=Ostrel release test" "$scratch/verify.log" ||
        fail "$file does not carry a valid signature by the certificate"
done
. scripts/wine-env.sh build/mingw
wine "$(echo "Z:$scratch/zip/Ostrel.exe" | tr / '\\')" -UNINSTALL 'C:\nowhere\Ostrel.exe' \
    </dev/null >/dev/null 2>&1 || fail "the signed program does not start under Wine"

echo "== SHA256SUMS and the manifests describe the files built"
for dist in "$unsigned" "$signed"; do
    /usr/bin/python3 - "$dist" <<'EOF' || fail "the release in $dist does not match its manifests"
import hashlib, json, re, subprocess, sys
from pathlib import Path
import yaml

dist = Path(sys.argv[1])
msi = next(dist.glob("Ostrel-*-x64.msi"))
version = msi.name[len("Ostrel-"):-len("-x64.msi")]
zip_name = f"Ostrel-{version}-x64.zip"
digest = {f.name: hashlib.sha256(f.read_bytes()).hexdigest() for f in (msi, dist / zip_name)}
sums = (dist / "SHA256SUMS").read_text()
assert sums == "".join(f"{h}  {n}\n" for n, h in digest.items()), sums
properties = dict(line.split("\t", 1) for line in subprocess.run(
    ["msiinfo", "export", str(msi), "Property"], capture_output=True, text=True,
    check=True).stdout.splitlines()[3:])
files = subprocess.run(["msiinfo", "export", str(msi), "File"], capture_output=True, text=True,
                       check=True).stdout
major, minor, patch = version.split(".")
assert f"\tOstrel.exe\t" in files and f"\t{major}.{minor}.0.{patch}\t1033\t" in files, files

winget = {p.name: yaml.safe_load(p.read_text()) for p in (dist / "winget").glob("*.yaml")}
assert len(winget) == 3, winget.keys()
for manifest in winget.values():
    assert manifest["PackageIdentifier"] == "Brenmoor.Ostrel", manifest
    assert manifest["PackageVersion"] == version and manifest["ManifestVersion"] >= "1.6.0"
installer = winget["Brenmoor.Ostrel.installer.yaml"]
entry = installer["AppsAndFeaturesEntries"][0]
assert installer["InstallerType"] == "wix" and installer["Scope"] == "machine"
assert installer["ProductCode"] == entry["ProductCode"] == properties["ProductCode"]
assert entry["UpgradeCode"] == properties["UpgradeCode"] and entry["DisplayVersion"] == version
[package] = installer["Installers"]
assert package["InstallerUrl"].endswith("/" + msi.name)
assert package["InstallerSha256"].lower() == digest[msi.name]
locale = winget["Brenmoor.Ostrel.locale.en-US.yaml"]
assert locale["Publisher"] == properties["Manufacturer"] and locale["License"]
assert locale["ShortDescription"]

scoop = json.loads((dist / "ostrel.json").read_text())
app = scoop["architecture"]["64bit"]
assert scoop["version"] == version and app["url"].endswith("/" + zip_name)
assert app["hash"] == digest[zip_name] and scoop["bin"] == "Ostrel.exe"
assert "-UNINSTALL" in "\n".join(scoop["pre_uninstall"])
# What Scoop reads from SHA256SUMS: the version, and the zip's hash by its name.
assert scoop["checkver"]["url"].endswith("/SHA256SUMS")
assert re.search(scoop["checkver"]["regex"], sums).group(1) == version
found = scoop["autoupdate"]["hash"]["regex"].replace("$sha256", "([a-fA-F0-9]{64})")
found = found.replace("$basename", re.escape(zip_name))
assert re.search(found, sums).group(1) == digest[zip_name]
assert scoop["autoupdate"]["architecture"]["64bit"]["url"].replace("$version", version) == app["url"]
EOF
done
# The installer's package code comes from its content: the signed program makes another.
code() { msiinfo suminfo "$1" | sed -n 's/^Revision number (UUID): //p'; }
[ "$(code "$unsigned/$msi")" != "$(code "$signed/$msi")" ] || fail "two contents, one package code"
echo "== Release test passed"
