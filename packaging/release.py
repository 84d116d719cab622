#!/usr/bin/env python3
"""Makes the release files from a built Ostrel.exe: the installer, the portable zip,
SHA256SUMS and the package managers' manifests, all in one folder.

The same program and sources give the same bytes: every time in the files is the
commit's (SOURCE_DATE_EPOCH), the zip's order and attributes are fixed, and the
installer's package code is derived from its content. With a certificate
(OSTREL_SIGN_PFX and OSTREL_SIGN_PASSWORD_FILE, optionally OSTREL_SIGN_TIMESTAMP_URL)
Ostrel.exe is signed before it goes into the zip and the installer, and the installer
is signed too; signatures carry their own time, so signed files are not reproducible.
"""

import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import time
import uuid
import zipfile
from pathlib import Path

import manifests

HERE = Path(__file__).resolve().parent
# The installer's upgrade code: the same for every version, and the namespace of the
# product codes, one per version.
UPGRADE_CODE = uuid.UUID("D164A35D-5231-4875-A2D4-5A2A14EF975D")
# The component that holds Ostrel.exe in every version (ostrel.wxs).
PROGRAM_COMPONENT = "{097C97DB-4C27-4DF6-8D75-DE1B13E87EC4}"
PUBLISHER = "Brenmoor Software"
HOME_PAGE = "https://www.ostrel.example/"


def run(*command, **options):
    subprocess.run(command, check=True, **options)


def product_code(version):
    return str(uuid.uuid5(UPGRADE_CODE, version)).upper()


def file_version(version):
    """The version block's numbers: 3.0.189 is 3.0.0.189."""
    major, minor, patch = version.split(".")
    return f"{major}.{minor}.0.{patch}"


def sign(path, description):
    """Signs a file in place when a certificate is given; tells whether it did."""
    pfx = os.environ.get("OSTREL_SIGN_PFX")
    if not pfx:
        return False
    password = os.environ.get("OSTREL_SIGN_PASSWORD_FILE")
    if not password:
        sys.exit("OSTREL_SIGN_PFX needs OSTREL_SIGN_PASSWORD_FILE, the file holding its password")
    command = ["osslsigncode", "sign", "-pkcs12", pfx, "-readpass", password, "-h", "sha256",
               "-n", description, "-i", HOME_PAGE]
    if os.environ.get("OSTREL_SIGN_TIMESTAMP_URL"):
        command += ["-ts", os.environ["OSTREL_SIGN_TIMESTAMP_URL"]]
    signed = path.with_name(path.name + ".signed")
    run(*command, "-in", str(path), "-out", str(signed), stdout=subprocess.DEVNULL)
    signed.replace(path)
    return True


def build_msi(stage, exe, version, epoch, out):
    """wixl builds the installer; msibuild then adds what wixl cannot say: the program's
    file version, and a package code taken from the package's own bytes."""
    environment = dict(os.environ, TZ="UTC")
    moment = time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(epoch))
    shutil.copy(HERE.parent / "res" / "ostrel.ico", stage / "ostrel.ico")
    # wixl stamps the package with the time it runs: faketime holds the clock at the commit.
    run("faketime", moment, "wixl", "--arch", "x64", "-D", f"Version={version}",
        "-D", f"ProductCode={product_code(version)}", "-D", f"Exe={exe.name}",
        "-D", "Icon=ostrel.ico", "-o", str(out), str(HERE / "ostrel.wxs"),
        cwd=stage, env=environment)
    run("msibuild", str(out),
        # A versioned file is compared by its version on upgrades and repairs, and
        # carries no hash of its content.
        "-q", f"UPDATE `File` SET `Version` = '{file_version(version)}', `Language` = '1033' "
        "WHERE `File` = 'OstrelExe'",
        "-q", "DELETE FROM `MsiFileHash` WHERE `File_` = 'OstrelExe'",
        # The remembered folder is read from the 64-bit registry, where it was written.
        "-q", "UPDATE `RegLocator` SET `Type` = 18 WHERE `Signature_` = 'InstalledFolder'",
        # Versions that did not remember it are found by where their program is: the
        # folder holding the key file (type 1) of the Program component, which every
        # version shares. Not marked 64-bit (16): the path is the same in both views, and
        # Wine then reads the type as a directory.
        "-q", "CREATE TABLE `CompLocator` (`Signature_` CHAR(72) NOT NULL, "
        "`ComponentId` CHAR(38) NOT NULL, `Type` SHORT PRIMARY KEY `Signature_`)",
        "-q", "INSERT INTO `CompLocator` (`Signature_`, `ComponentId`, `Type`) "
        f"VALUES ('InstalledProgram', '{PROGRAM_COMPONENT}', 1)",
        "-q", "INSERT INTO `AppSearch` (`Property`, `Signature_`) "
        "VALUES ('INSTALLDIR', 'InstalledProgram')",
        # The cleanup: the program stored in the package (Binary "Cleanup") run
        # deferred, as the service, its result ignored, for the installed program's hooks.
        "-q", "INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) "
        f"VALUES ('RemoveHooks', {2 + 0x400 + 0x800 + 0x40}, 'Cleanup', "
        "'-UNINSTALL \"[#OstrelExe]\"')")
    summary = [f"Ostrel {version}", PUBLISHER, "x64;1033"]
    run("msibuild", str(out), "-s", *summary, "{00000000-0000-0000-0000-000000000000}")
    digest = hashlib.sha256(out.read_bytes()).digest()
    code = "{" + str(uuid.UUID(bytes=digest[:16], version=4)).upper() + "}"
    run("msibuild", str(out), "-s", *summary, code)
    return code


def build_zip(exe, readme, epoch, out):
    """Ostrel.exe and the readme (with Windows line ends), in this order, with the
    commit's time and plain attributes."""
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip holds no time before 1980
    with zipfile.ZipFile(out, "w") as archive:
        for name, data in (("Ostrel.exe", exe.read_bytes()),
                           ("README.txt", readme.read_bytes().replace(b"\n", b"\r\n"))):
            entry = zipfile.ZipInfo(name, date_time=stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0
            entry.external_attr = 0x20  # archive
            archive.writestr(entry, data, compresslevel=9)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", type=Path, required=True, help="the built Ostrel.exe")
    parser.add_argument("--version", required=True)
    parser.add_argument("--dist", type=Path, required=True, help="where the files go")
    parser.add_argument("--stage", type=Path, required=True, help="a scratch folder")
    parser.add_argument("--epoch", type=int, required=True, help="SOURCE_DATE_EPOCH")
    options = parser.parse_args()
    for folder in ("exe", "dist", "stage"):
        setattr(options, folder, getattr(options, folder).resolve())

    name = f"Ostrel-{options.version}-x64"
    shutil.rmtree(options.stage, ignore_errors=True)
    options.stage.mkdir(parents=True)
    options.dist.mkdir(parents=True, exist_ok=True)
    for old in ("*.msi", "*.zip", "SHA256SUMS", "winget", "ostrel.json"):
        for path in options.dist.glob(old):
            shutil.rmtree(path) if path.is_dir() else path.unlink()

    exe = options.stage / "Ostrel.exe"
    shutil.copy(options.exe, exe)
    signed = sign(exe, "Ostrel")
    os.utime(exe, (options.epoch, options.epoch))  # the time the installer's cabinet keeps

    msi = options.dist / f"{name}.msi"
    package_code = build_msi(options.stage, exe, options.version, options.epoch, msi)
    sign(msi, "Ostrel installer")
    build_zip(exe, HERE / "README.txt", options.epoch, options.dist / f"{name}.zip")

    sums = {path.name: hashlib.sha256(path.read_bytes()).hexdigest()
            for path in (msi, options.dist / f"{name}.zip")}
    (options.dist / "SHA256SUMS").write_text(
        "".join(f"{digest}  {file}\n" for file, digest in sums.items()))
    release_url = os.environ.get("OSTREL_RELEASE_URL") or manifests.PLACEHOLDER_URL
    manifests.write(options.dist, options.version, release_url, sums,
                    product_code="{" + product_code(options.version) + "}",
                    upgrade_code="{" + str(UPGRADE_CODE).upper() + "}")
    print(f"Package code {package_code}.")
    if not signed:
        print("Unsigned: no certificate given (OSTREL_SIGN_PFX and OSTREL_SIGN_PASSWORD_FILE).")


if __name__ == "__main__":
    main()
