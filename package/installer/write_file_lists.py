#!/usr/bin/python3
"""Writes the installer's file lists for a staged program directory.

    write_file_lists.py STAGE OUTPUT.nsh

Defines the macros InstallFiles / un.InstallFiles (programs, media, every other
file), InstallConfigFiles / un.InstallConfigFiles (the sample configuration,
kept when the user has one), un.InstallFolders and SIZE_KB.
"""

import sys
from pathlib import Path, PureWindowsPath

CONFIG = "config"
# Test fixtures that must never reach a user's machine.
NEVER_SHIPPED = {"rasapi32.dll"}


def windows(path):
    return str(PureWindowsPath(path))


def main(stage, output):
    stage = Path(stage)
    files = sorted(p.relative_to(stage) for p in stage.rglob("*") if p.is_file())
    folders = sorted((p.relative_to(stage) for p in stage.rglob("*") if p.is_dir()),
                     key=lambda p: (-len(p.parts), str(p)))
    shipped_fixtures = [str(f) for f in files if f.name.lower() in NEVER_SHIPPED]
    if shipped_fixtures:
        sys.exit("write_file_lists: test fixtures in the staged directory: %s" % ", ".join(shipped_fixtures))
    config = [f for f in files if f.parts[0] == CONFIG]
    if any(len(f.parts) != 2 for f in config):
        sys.exit("write_file_lists: the configuration folder has sub-folders")
    programs = [f for f in files if f.parts[0] != CONFIG]

    lines = ["!macro InstallFiles"]
    for folder in sorted({f.parent for f in programs} | {f for f in folders if f.parts[0] != CONFIG}):
        lines.append('  SetOutPath "$INSTDIR\\%s"' % windows(folder) if str(folder) != "." else '  SetOutPath "$INSTDIR"')
        lines += ['  File "${STAGE}\\%s"' % windows(f) for f in programs if f.parent == folder]
    lines += ['  SetOutPath "$INSTDIR"', "!macroend", "", "!macro un.InstallFiles"]
    lines += ['  Delete "$INSTDIR\\%s"' % windows(f) for f in programs]
    lines += ["!macroend", "", "!macro InstallConfigFiles"]
    lines += ['  !insertmacro ConfigFile "%s"' % f.name for f in config]
    lines += ["!macroend", "", "!macro un.InstallConfigFiles"]
    lines += ['  !insertmacro un.ConfigFile "%s"' % f.name for f in config]
    lines += ["!macroend", "", "!macro un.InstallFolders"]
    lines += ['  RMDir "$INSTDIR\\%s"' % windows(f) for f in folders]
    lines += ["!macroend", "", "!define SIZE_KB %d" % (sum((stage / f).stat().st_size for f in files) // 1024 + 1)]
    Path(output).write_text("\n".join(lines) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main(*sys.argv[1:])
