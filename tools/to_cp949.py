#!/usr/bin/python3
"""Writes UTF-8 text files as CP949, the encoding the programs read.

    python3 tools/to_cp949.py OUTDIR FILE...

Each FILE is written under its own name into OUTDIR.
"""

import pathlib
import sys


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    outdir = pathlib.Path(argv[1])
    outdir.mkdir(parents=True, exist_ok=True)
    for name in argv[2:]:
        source = pathlib.Path(name)
        (outdir / source.name).write_bytes(source.read_text(encoding="utf-8").encode("cp949"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
