#!/usr/bin/env python3
"""Packs a folder into a zip archive that unpacks into one folder of the given name.

Names are stored as UTF-8 with the archive's UTF-8 flag set, so that Windows and 7-Zip read the help
file's Chinese name as written. Info-ZIP's zip stores the same bytes without the flag, and a Chinese
Windows then reads them in its own code page and garbles the name the program opens its help by.
Usage: pack-zip.py FOLDER TOP_FOLDER ARCHIVE"""

import sys
import zipfile
from pathlib import Path


def pack(folder, top, archive):
    partial = archive.with_name(archive.name + ".part")
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as out:
        for item in sorted(folder.rglob("*")):
            out.write(item, f"{top}/{item.relative_to(folder).as_posix()}")
    partial.replace(archive)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__.rsplit("\n", 1)[-1])
    pack(Path(sys.argv[1]), sys.argv[2], Path(sys.argv[3]))
