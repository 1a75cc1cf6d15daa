#!/usr/bin/env python3
"""Writes the command lines of the unit table as seed inputs for the fuzz target.

Each row's command line (the first wide literal of a {L"...", ...} row) becomes one file of
UTF-16 units, low byte first, as the fuzz target reads them.
Usage: make_seeds.py TABLE_SOURCE OUTPUT_DIR
"""
import codecs
import pathlib
import re
import sys

ROW = re.compile(r'\{L"((?:[^"\\]|\\.)*)"')


def main():
    source, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    lines = [codecs.decode(literal, "unicode_escape") for literal in ROW.findall(source.read_text())]
    if not lines:
        sys.exit(f"no command lines found in {source}")
    output.mkdir(parents=True, exist_ok=True)
    for old in output.glob("row-*"):
        old.unlink()
    for number, line in enumerate(lines):
        (output / f"row-{number:02d}").write_bytes(line.encode("utf-16-le"))


if __name__ == "__main__":
    main()
