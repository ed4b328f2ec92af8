"""gy.swf as the build wrote it, read back field by field; and the box's own
drawing of the scene (platform/movie_scene.h) kept in step with the movie.

Environment: MOVIE_SWF, the generated file; TALVENOR_SOURCE, the source tree.
"""

import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

SOURCE = os.environ.get("TALVENOR_SOURCE") or os.path.join(os.path.dirname(__file__), "..", "..")
GENERATOR = os.path.join(SOURCE, "tools", "movie", "make_movie.py")
sys.path.insert(0, os.path.dirname(GENERATOR))
sys.dont_write_bytecode = True  # nothing written into the source tree
import make_movie  # noqa: E402

# Actions a SWF 6 player knows; DefineFunction2 (0x8E) and the other SWF 7
# actions are not among them.
SWF6_ACTIONS = set(range(0x00, 0x38)) | set(range(0x3A, 0x56)) | {0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66,
                                                                    0x67, 0x68, 0x81, 0x83, 0x87, 0x88, 0x8A,
                                                                    0x8B, 0x8C, 0x8D, 0x94, 0x96, 0x99, 0x9A,
                                                                    0x9B, 0x9D, 0x9E, 0x9F}
BRANCHES = {0x99, 0x9D}


def read_bits(data, start_bit, n):
    value = 0
    for i in range(start_bit, start_bit + n):
        value = value << 1 | (data[i // 8] >> (7 - i % 8)) & 1
    return value


def signed(v, n):
    return v - (1 << n) if n and v >> (n - 1) else v


def parse_rect(data):
    n = read_bits(data, 0, 5)
    values = [signed(read_bits(data, 5 + i * n, n), n) for i in range(4)]
    return values, (5 + 4 * n + 7) // 8


def parse_tags(body):
    tags, pos = [], 0
    while pos < len(body):
        word, = struct.unpack_from("<H", body, pos)
        code, length, pos = word >> 6, word & 0x3F, pos + 2
        if length == 0x3F:
            length, = struct.unpack_from("<I", body, pos)
            pos += 4
        tags.append((code, body[pos:pos + length]))
        pos += length
        if code == 0:
            break
    return tags, pos


def walk_actions(code):
    """Yields (offset, opcode, payload, end) for each record of a block,
    descending into function bodies."""
    pos = 0
    while pos < len(code):
        op = code[pos]
        if op >= 0x80:
            length, = struct.unpack_from("<H", code, pos + 1)
            payload, end = code[pos + 3:pos + 3 + length], pos + 3 + length
        else:
            payload, end = b"", pos + 1
        if end > len(code):
            raise AssertionError(f"action 0x{op:02X} at {pos} runs past its block")
        yield pos, op, payload, end
        if op == 0x9B:  # DefineFunction: the body follows the record
            size, = struct.unpack_from("<H", payload, len(payload) - 2)
            body = code[end:end + size]
            for off, o, p, e in walk_actions(body):
                yield end + off, o, p, end + e
            end += size
        pos = end


def push_values(payload):
    out, pos = [], 0
    while pos < len(payload):
        kind, pos = payload[pos], pos + 1
        if kind == 0:
            z = payload.index(b"\0", pos)
            out.append(payload[pos:z].decode("utf-8"))
            pos = z + 1
        elif kind == 6:
            hi, lo = payload[pos:pos + 4], payload[pos + 4:pos + 8]
            out.append(struct.unpack("<d", lo + hi)[0])
            pos += 8
        elif kind == 7:
            out.append(struct.unpack_from("<i", payload, pos)[0])
            pos += 4
        elif kind == 5:
            out.append(bool(payload[pos]))
            pos += 1
        elif kind in (2, 3):
            out.append(None)
        elif kind in (4, 8):
            pos += 1
        elif kind == 9:
            pos += 2
        elif kind == 1:
            pos += 4
        else:
            raise AssertionError(f"unknown push type {kind}")
    return out


class MovieHeader(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(os.environ["MOVIE_SWF"], "rb") as f:
            cls.data = f.read()
        cls.body = zlib.decompress(cls.data[8:])

    def test_header_fields(self):
        d = self.data
        self.assertEqual(d[:3], b"CWS")
        self.assertEqual(d[3], 6)
        declared, = struct.unpack_from("<I", d, 4)
        self.assertEqual(declared, len(self.body) + 8)
        rect, size = parse_rect(self.body)
        self.assertEqual(rect, [0, 600 * 20, 0, 400 * 20])
        rate, frames = struct.unpack_from("<HH", self.body, size)
        self.assertEqual(rate, 40 << 8)  # 8.8 fixed point
        self.assertEqual(frames, 1)
        print(f"\ngy.swf: {len(d)} bytes, declared length {declared}", file=sys.stderr)

    def test_zlib_stream_is_whole(self):
        z = zlib.decompressobj()
        z.decompress(self.data[8:])
        self.assertTrue(z.eof)
        self.assertEqual(z.unused_data, b"")

    def test_tags(self):
        _, size = parse_rect(self.body)
        tags, end = parse_tags(self.body[size + 4:])
        self.assertEqual([c for c, _ in tags], [9, 12, 1, 0])  # background, DoAction, ShowFrame, End
        self.assertEqual(end, len(self.body) - size - 4, "bytes after the End tag")
        self.assertEqual(tags[0][1], b"\xff\xff\xff")

    def test_actions_are_swf6_and_branches_land_on_records(self):
        _, size = parse_rect(self.body)
        tags, _ = parse_tags(self.body[size + 4:])
        code = tags[1][1]
        self.assertEqual(code[-1], 0, "DoAction ends with ActionEndFlag")
        records = list(walk_actions(code[:-1]))
        starts = {off for off, *_ in records} | {len(code) - 1}
        pushed = []
        for off, op, payload, end in records:
            self.assertIn(op, SWF6_ACTIONS, f"action 0x{op:02X} at {off}")
            if op in BRANCHES:
                target = end + struct.unpack("<h", payload)[0]
                self.assertIn(target, starts, f"branch at {off} to {target}")
            if op == 0x96:
                pushed += push_values(payload)
        # Doubles are stored high word first: read that way they must come
        # out as the script's own factors, not as garbage.
        for value in (0.9, 0.5, "noScale", make_movie.CAPTION, "onEnterFrame"):
            self.assertTrue(any(type(v) is type(value) and v == value for v in pushed), value)

    def test_same_bytes_every_run(self):
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "gy.swf")
            subprocess.run([sys.executable, GENERATOR, out], check=True)
            with open(out, "rb") as f:
                self.assertEqual(f.read(), self.data)


class NativeSceneMatchesMovie(unittest.TestCase):
    """The box draws the scene itself where no player can: with the movie's
    values, or the about tab would look different on such systems."""

    @classmethod
    def setUpClass(cls):
        with open(os.path.join(SOURCE, "platform", "movie_scene.h"), encoding="utf-8") as f:
            cls.header = f.read()

    def constant(self, name):
        m = re.search(r"constexpr \w+ " + name + r"(?:\[\w*\])? = ([^;]+);", self.header)
        self.assertIsNotNone(m, name)
        return m.group(1).strip()

    def number(self, name):
        text = self.constant(name)
        return float(text) if "." in text else int(text, 0)

    def test_values(self):
        m = make_movie
        cases = [("kStageWidth", m.STAGE_WIDTH), ("kStageHeight", m.STAGE_HEIGHT),
                 ("kStageColour", m.STAGE_COLOUR), ("kBallColour", m.BALL_COLOUR),
                 ("kLineColour", m.LINE_COLOUR), ("kLineAlpha", m.LINE_ALPHA),
                 ("kCaptionColour", m.CAPTION_COLOUR), ("kCaptionSize", m.CAPTION_SIZE),
                 ("kBallRadius", m.BALL_RADIUS), ("kCurveControlX", m.CURVE_CONTROL[0]),
                 ("kCurveControlY", m.CURVE_CONTROL[1]), ("kAnchorMinX", m.ANCHOR_MIN_X),
                 ("kAnchorSpan", m.ANCHOR_SPAN), ("kPullRadius", m.PULL_RADIUS),
                 ("kDamping", m.DAMPING), ("kSpring", m.SPRING), ("kFrameRate", m.FRAME_RATE)]
        for name, expected in cases:
            with self.subTest(name):
                self.assertEqual(self.number(name), expected)
        self.assertEqual(self.constant("kCaption"), '"' + m.CAPTION + '"')
        box = [int(v) for v in re.findall(r"-?\d+", self.constant("kCaptionBox"))]
        self.assertEqual(box, list(m.CAPTION_BOX))
        rest = re.findall(r"\{(-?\d+), (-?\d+)\}", self.constant("kRest"))
        self.assertEqual([(int(x), int(y)) for x, y in rest], m.REST)


if __name__ == "__main__":
    unittest.main()
