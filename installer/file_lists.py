#!/usr/bin/env python3
"""Writes the installer's two file lists from the program folder.

    python3 installer/file_lists.py PROGRAM_FOLDER OUT_FOLDER

install.nsh installs every shipped file; uninstall.nsh deletes exactly those files and
then their folders, each only when it is empty. The uninstaller never deletes a folder
with what is in it, so whatever a user saved into the program folder stays.
"""

import sys
from pathlib import Path

# Built beside the program for the end-to-end suite; never shipped.
TEST_EQUIPMENT = {"flimauto.exe", "flimvcam.dll"}


def shipped_files(folder):
    """Paths relative to the folder, folder by folder, without the test equipment."""
    files = sorted((p.relative_to(folder) for p in folder.rglob("*") if p.is_file()),
                   key=lambda p: (p.parent.parts, p.name))
    return [p for p in files if p.name.lower() not in TEST_EQUIPMENT]


def nsis_text(text):
    # '$' starts a variable in NSIS strings; no Windows file name holds a double quote.
    return text.replace("$", "$$")


def windows_path(relative):
    return "\\".join(("$INSTDIR", *(nsis_text(part) for part in relative.parts)))


def install_lines(folder, files):
    lines, current = [], None
    for rel in files:
        if rel.parent != current:
            current = rel.parent
            lines.append(f'SetOutPath "{windows_path(current)}"')
        lines.append(f'File "{nsis_text(str((folder / rel).resolve()))}"')
    return lines


def uninstall_lines(files):
    lines = [f'Delete "{windows_path(rel)}"' for rel in files]
    folders = {parent for rel in files for parent in rel.parents if parent != Path(".")}
    # Deepest first, so that a folder is empty by the time its own RMDir comes.
    for folder in sorted(folders, key=lambda p: (-len(p.parts), str(p))):
        lines.append(f'RMDir "{windows_path(folder)}"')
    return lines


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    folder, out = Path(argv[1]), Path(argv[2])
    files = shipped_files(folder)
    if Path("flimmer.exe") not in files:
        print(f"file_lists: no flimmer.exe in {folder}", file=sys.stderr)
        return 1
    out.mkdir(parents=True, exist_ok=True)
    (out / "install.nsh").write_text("\n".join(install_lines(folder, files)) + "\n")
    (out / "uninstall.nsh").write_text("\n".join(uninstall_lines(files)) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
