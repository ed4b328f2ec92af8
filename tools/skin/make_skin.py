#!/usr/bin/env python3
"""Builds a skin.she file from its readable source (resources/skin_engine/FORMAT.md).

usage: make_skin.py SOURCE.txt OUTPUT.she
"""
import struct
import sys
import zlib

COLOUR, INTEGER, TEXT = "colour", "integer", "text"

# name: (key, type, required)
KEYS = {
    "name": (0x0001, TEXT, False),
    "window.background": (0x0010, COLOUR, True),
    "window.text": (0x0011, COLOUR, True),
    "text.disabled": (0x0012, COLOUR, True),
    "border": (0x0013, COLOUR, True),
    "accent": (0x0014, COLOUR, True),
    "edit.background": (0x0020, COLOUR, True),
    "edit.text": (0x0021, COLOUR, True),
    "button.face": (0x0030, COLOUR, True),
    "button.hot": (0x0031, COLOUR, True),
    "button.pressed": (0x0032, COLOUR, True),
    "button.text": (0x0033, COLOUR, True),
    "button.border": (0x0034, COLOUR, True),
    "button.radius": (0x0035, INTEGER, False),
    "tab.background": (0x0040, COLOUR, True),
}
MAX_RADIUS = 12
MAX_TEXT = 63


class SkinError(Exception):
    pass


def encode_value(name, kind, text):
    if kind == COLOUR:
        if len(text) != 7 or text[0] != "#":
            raise SkinError(f"{name}: a colour is written #RRGGBB, not {text!r}")
        try:
            return bytes.fromhex(text[1:])
        except ValueError:
            raise SkinError(f"{name}: {text!r} is not a colour") from None
    if kind == INTEGER:
        if not text.isdigit() or int(text) > MAX_RADIUS:
            raise SkinError(f"{name}: expected 0 to {MAX_RADIUS}, not {text!r}")
        return struct.pack("<H", int(text))
    value = text.encode("gbk")
    if not 1 <= len(value) <= MAX_TEXT:
        raise SkinError(f"{name}: a text is 1 to {MAX_TEXT} bytes")
    return value


def parse(lines):
    values = {}
    for number, line in enumerate(lines, 1):
        # Only whole lines are comments: colours begin with '#' too.
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        if "=" not in line:
            raise SkinError(f"line {number}: expected name = value")
        name, text = (part.strip() for part in line.split("=", 1))
        if name not in KEYS:
            raise SkinError(f"line {number}: unknown name {name!r}")
        if name in values:
            raise SkinError(f"line {number}: {name} given twice")
        values[name] = encode_value(name, KEYS[name][1], text)
    missing = [n for n, (_, _, required) in KEYS.items() if required and n not in values]
    if missing:
        raise SkinError("missing: " + ", ".join(missing))
    return values


def build(values):
    body = bytearray(b".SHE")
    body += bytes([1, 0])
    body += struct.pack("<H", len(values))
    for name in sorted(values, key=lambda n: KEYS[n][0]):
        value = values[name]
        body += struct.pack("<HH", KEYS[name][0], len(value)) + value
    body += struct.pack("<I", zlib.crc32(bytes(body)))
    return bytes(body)


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__.strip())
    try:
        with open(argv[1], encoding="utf-8") as source:
            data = build(parse(source))
    except SkinError as error:
        sys.exit(f"{argv[1]}: {error}")
    with open(argv[2], "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main(sys.argv)
