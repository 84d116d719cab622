"""The package managers' manifests of a release: a winget manifest set for the installer
and a Scoop manifest for the portable zip. Both name the files by their place in the
release folder (OSTREL_RELEASE_URL), which holds them by their names."""

import json

# Until the release has a home, the address says so.
PLACEHOLDER_URL = "https://www.ostrel.example/download"
IDENTIFIER = "Brenmoor.Ostrel"
PUBLISHER = "Brenmoor Software"
HOME_PAGE = "https://www.ostrel.example/"
LICENSE = "Proprietary"
SUMMARY = "Binds folders to drive letters with subst and re-creates them at every logon"
WINGET_SCHEMA = "1.6.0"


def _yaml(kind, fields):
    """A flat winget manifest: every value is a plain scalar, a quoted text or a list of
    mappings, as the schema's fields here need."""
    lines = [f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}."
             f"{WINGET_SCHEMA}.schema.json", ""]

    def scalar(value):
        return json.dumps(value) if isinstance(value, str) else str(value)

    for key, value in fields:
        if isinstance(value, list):
            lines.append(f"{key}:")
            for item in value:
                if isinstance(item, dict):
                    first = True
                    for inner, text in item.items():
                        lines.append(f"{'- ' if first else '  '}{inner}: {scalar(text)}")
                        first = False
                else:
                    lines.append(f"- {scalar(item)}")
        else:
            lines.append(f"{key}: {scalar(value)}")
    return "\n".join(lines) + "\n"


def winget(version, release_url, msi, msi_sha256, product_code, upgrade_code):
    """The three files of winget's multi-file manifest, by their names."""
    head = [("PackageIdentifier", IDENTIFIER), ("PackageVersion", version)]
    tail = [("ManifestVersion", WINGET_SCHEMA)]
    return {
        f"{IDENTIFIER}.yaml": _yaml("version", head + [
            ("DefaultLocale", "en-US"), ("ManifestType", "version")] + tail),
        f"{IDENTIFIER}.installer.yaml": _yaml("installer", head + [
            ("Platform", ["Windows.Desktop"]),
            ("MinimumOSVersion", "10.0.0.0"),
            ("InstallerType", "wix"),
            ("Scope", "machine"),
            ("InstallModes", ["interactive", "silent", "silentWithProgress"]),
            ("UpgradeBehavior", "install"),
            ("ProductCode", product_code),
            ("AppsAndFeaturesEntries", [{
                "DisplayName": "Ostrel", "Publisher": PUBLISHER, "DisplayVersion": version,
                "ProductCode": product_code, "UpgradeCode": upgrade_code}]),
            ("Installers", [{
                "Architecture": "x64", "InstallerUrl": f"{release_url}/{msi}",
                "InstallerSha256": msi_sha256.upper()}]),
            ("ManifestType", "installer")] + tail),
        f"{IDENTIFIER}.locale.en-US.yaml": _yaml("defaultLocale", head + [
            ("PackageLocale", "en-US"),
            ("Publisher", PUBLISHER),
            ("PublisherUrl", HOME_PAGE),
            ("PackageName", "Ostrel"),
            ("PackageUrl", HOME_PAGE),
            ("License", LICENSE),
            ("ShortDescription", SUMMARY),
            ("Tags", ["subst", "virtual-drive", "drive-letter"]),
            ("ManifestType", "defaultLocale")] + tail),
    }


def scoop(version, release_url, zip_name, zip_sha256):
    """Scoop's manifest of the portable zip. Before Scoop removes the program (not when it
    updates it) the program removes its start-up value and folder verb; they name it by
    Scoop's "current" folder, which is how Scoop starts it."""
    return {
        "version": version,
        "description": SUMMARY,
        "homepage": HOME_PAGE,
        "license": LICENSE,
        "architecture": {"64bit": {"url": f"{release_url}/{zip_name}", "hash": zip_sha256}},
        "bin": "Ostrel.exe",
        "shortcuts": [["Ostrel.exe", "Ostrel"]],
        "pre_uninstall": [
            "if ($cmd -eq 'uninstall') {",
            "    $program = Join-Path (Split-Path $dir) 'current\\Ostrel.exe'",
            "    Start-Process -Wait -FilePath \"$dir\\Ostrel.exe\" "
            "-ArgumentList '-UNINSTALL', \"`\"$program`\"\"",
            "}",
        ],
        "checkver": {"url": f"{release_url}/SHA256SUMS", "regex": r"Ostrel-([\d.]+)-x64\.zip"},
        "autoupdate": {
            "architecture": {"64bit": {"url": f"{release_url}/Ostrel-$version-x64.zip"}},
            "hash": {"url": "$baseurl/SHA256SUMS", "regex": r"$sha256\s+$basename"},
        },
    }


def write(dist, version, release_url, sums, product_code, upgrade_code):
    """Writes winget/ (the manifest set) and ostrel.json (Scoop's) into the release folder."""
    release_url = release_url.rstrip("/")
    msi = f"Ostrel-{version}-x64.msi"
    zip_name = f"Ostrel-{version}-x64.zip"
    folder = dist / "winget"
    folder.mkdir(exist_ok=True)
    for name, text in winget(version, release_url, msi, sums[msi], product_code,
                             upgrade_code).items():
        (folder / name).write_text(text)
    manifest = scoop(version, release_url, zip_name, sums[zip_name])
    (dist / "ostrel.json").write_text(json.dumps(manifest, indent=4) + "\n")
