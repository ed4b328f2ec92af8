#!/usr/bin/env python3
"""Writes gy.swf, the about tab's movie: SWF 6, zlib-compressed, one frame
whose single DoAction builds the whole scene with the drawing API and moves
the balls on every frame.

Usage: make_movie.py OUTPUT
       make_movie.py --scene      prints the scene's values as JSON (for tests)

Only the standard library is used, and the output is the same bytes on every
run: the anchors are chosen by the movie itself when it starts.
"""

import math
import struct
import sys
import zlib

# The scene. platform/movie_scene.h carries the same values for the box's
# own drawing; tests/movie/test_header.py keeps the two in step.
STAGE_WIDTH = 600
STAGE_HEIGHT = 400
FRAME_RATE = 40
BACKGROUND = 0xFFFFFF
STAGE_COLOUR = 0xBDB7A6
BALL_COLOUR = 0xFFFFFF
LINE_COLOUR = 0x333333
LINE_ALPHA = 50
CAPTION_COLOUR = 0x9F0039
CAPTION = "Talvenor by Oskaran"
CAPTION_BOX = (132, 238, 336, 20)  # x, y, width, height
CAPTION_SIZE = 12
BALL_RADIUS = 6
CURVE_CONTROL = (300, 200)
ANCHOR_MIN_X = 20
ANCHOR_SPAN = 290  # random(290) gives 0..289, so anchors lie in 20..309
PULL_RADIUS = 50
DAMPING = 0.9
SPRING = 0.5
# Rest positions lie in the middle of the stage: an unscaled player centres
# the stage, so that is the part a small box shows.
REST = [(170, 172), (198, 146), (228, 186), (256, 150), (286, 176),
        (314, 140), (344, 182), (372, 152), (402, 178), (430, 148)]

# --- AVM1 -------------------------------------------------------------------

END = 0x00
SUBTRACT = 0x0B
MULTIPLY = 0x0C
NOT = 0x12
POP = 0x17
GET_VARIABLE = 0x1C
SET_VARIABLE = 0x1D
RANDOM_NUMBER = 0x30
DEFINE_LOCAL = 0x3C
CALL_FUNCTION = 0x3D
NEW_OBJECT = 0x40
INIT_ARRAY = 0x42
ADD2 = 0x47
LESS2 = 0x48
GET_MEMBER = 0x4E
SET_MEMBER = 0x4F
INCREMENT = 0x50
CALL_METHOD = 0x52
GET_URL = 0x83
PUSH = 0x96
JUMP = 0x99
DEFINE_FUNCTION = 0x9B
IF = 0x9D


def string(s):
    return s.encode("utf-8") + b"\0"  # SWF 6 strings are UTF-8


def push_value(v):
    if isinstance(v, bool):
        return bytes([5, int(v)])
    if isinstance(v, int):
        return b"\x07" + struct.pack("<i", v)
    if isinstance(v, float):
        # Doubles are stored high 32-bit word first, each word little-endian.
        raw = struct.pack("<d", v)
        return b"\x06" + raw[4:] + raw[:4]
    if isinstance(v, str):
        return b"\x00" + string(v)
    if v is None:
        return b"\x02"
    raise TypeError(f"cannot push {v!r}")


class Asm:
    """Action records with labels; branches are resolved when assembled."""

    def __init__(self):
        self.records = []  # bytes, or (opcode, label) for a branch
        self.labels = {}
        self._next = 0

    def op(self, code, payload=b""):
        if code >= 0x80:
            self.records.append(bytes([code]) + struct.pack("<H", len(payload)) + payload)
        else:
            assert not payload
            self.records.append(bytes([code]))

    def push(self, *values):
        self.op(PUSH, b"".join(push_value(v) for v in values))

    def new_label(self):
        self._next += 1
        return f"L{self._next}"

    def label(self, name):
        self.labels[name] = len(self.records)

    def branch(self, code, name):
        self.records.append((code, name))

    def define_function(self, name, params, body):
        code = body.assemble()
        head = string(name) + struct.pack("<H", len(params))
        head += b"".join(string(p) for p in params) + struct.pack("<H", len(code))
        self.op(DEFINE_FUNCTION, head)
        self.records.append(code)  # the body follows the record, outside its length

    def assemble(self):
        ends, pos = [], 0
        for r in self.records:
            pos += 5 if isinstance(r, tuple) else len(r)
            ends.append(pos)
        starts = [0] + ends[:-1]
        out = bytearray()
        for i, r in enumerate(self.records):
            if isinstance(r, tuple):
                code, name = r
                target = self.labels[name]
                to = starts[target] if target < len(starts) else pos
                out += bytes([code]) + struct.pack("<Hh", 2, to - ends[i])
            else:
                out += r
        return bytes(out)


# A small expression layer over the assembler, so that the script below reads
# close to the ActionScript it stands for. An expression is a literal (pushed
# as it is) or a function that emits code leaving one value on the stack.

def emit(a, e):
    if callable(e):
        e(a)
    else:
        a.push(e)


def var(name):
    return lambda a: (a.push(name), a.op(GET_VARIABLE))


def member(obj, prop):
    def code(a):
        emit(a, obj)
        emit(a, prop)
        a.op(GET_MEMBER)
    return code


def binary(op):
    def make(x, y):
        def code(a):
            emit(a, x)
            emit(a, y)
            a.op(op)
        return code
    return make


add, sub, mul, less = binary(ADD2), binary(SUBTRACT), binary(MULTIPLY), binary(LESS2)


def random_below(n):
    return lambda a: (a.push(n), a.op(RANDOM_NUMBER))


def args_then_count(a, args):
    for x in reversed(args):  # last argument first
        emit(a, x)
    a.push(len(args))


def method(obj, name, *args):
    def code(a):
        args_then_count(a, args)
        emit(a, obj)
        a.push(name)
        a.op(CALL_METHOD)
    return code


def new(cls, *args):
    def code(a):
        args_then_count(a, args)
        a.push(cls)
        a.op(NEW_OBJECT)
    return code


def array(values):
    def code(a):
        a.push(*reversed(values), len(values))
        a.op(INIT_ARRAY)
    return code


def call(a, e):
    emit(a, e)
    a.op(POP)


def set_var(a, name, value):
    a.push(name)
    emit(a, value)
    a.op(SET_VARIABLE)


def local(a, name, value):
    a.push(name)
    emit(a, value)
    a.op(DEFINE_LOCAL)


def set_member(a, obj, prop, value):
    emit(a, obj)
    a.push(prop)
    emit(a, value)
    a.op(SET_MEMBER)


def count_loop(a, counter, n, body, declare=set_var):
    """for (counter = 0; counter < n; counter++) body()"""
    top, done = a.new_label(), a.new_label()
    declare(a, counter, 0)
    a.label(top)
    emit(a, less(var(counter), n))
    a.op(NOT)
    a.branch(IF, done)
    body()
    set_var(a, counter, lambda b: (emit(b, var(counter)), b.op(INCREMENT)))
    a.branch(JUMP, top)
    a.label(done)


def if_else(a, cond, then, otherwise):
    other, done = a.new_label(), a.new_label()
    emit(a, cond)
    a.op(NOT)
    a.branch(IF, other)
    then()
    a.branch(JUMP, done)
    a.label(other)
    otherwise()
    a.label(done)


# --- The script ---------------------------------------------------------------

ROOT = var("_root")


def circle_curves(r):
    """Eight quadratic segments around (0, 0), starting at (r, 0)."""
    k = r / math.cos(math.pi / 8)
    out = []
    for i in range(1, 9):
        mid, end = (2 * i - 1) * math.pi / 8, i * math.pi / 4
        out.append((round(k * math.cos(mid), 4), round(k * math.sin(mid), 4),
                    round(r * math.cos(end), 4), round(r * math.sin(end), 4)))
    return out


def number(v):
    """Integral values as integers: shorter, and exact either way."""
    return int(v) if float(v).is_integer() else float(v)


def update_function():
    """update(): one frame of the balls, and their strings redrawn."""
    f = Asm()
    lines = var("lines")
    call(f, method(lines, "clear"))
    call(f, method(lines, "lineStyle", 1, LINE_COLOUR, LINE_ALPHA))
    local(f, "mx", member(ROOT, "_xmouse"))
    local(f, "my", member(ROOT, "_ymouse"))
    c = var("c")

    def ball():
        local(f, "c", member(ROOT, add("b", var("i"))))
        local(f, "dx", sub(var("mx"), member(c, "rx")))
        local(f, "dy", sub(var("my"), member(c, "ry")))
        near = less(add(mul(var("dx"), var("dx")), mul(var("dy"), var("dy"))),
                    PULL_RADIUS * PULL_RADIUS)
        if_else(f, near,
                lambda: (local(f, "tx", var("mx")), local(f, "ty", var("my"))),
                lambda: (local(f, "tx", member(c, "rx")), local(f, "ty", member(c, "ry"))))
        # Positions are kept unrounded in px/py: _x and _y snap to twips.
        for axis, v, p, t in (("_x", "vx", "px", "tx"), ("_y", "vy", "py", "ty")):
            set_member(f, c, v, add(mul(member(c, v), DAMPING),
                                    mul(sub(var(t), member(c, p)), SPRING)))
            set_member(f, c, p, add(member(c, p), member(c, v)))
            set_member(f, c, axis, member(c, p))
        call(f, method(lines, "moveTo", member(c, "ax"), STAGE_HEIGHT))
        call(f, method(lines, "curveTo", *CURVE_CONTROL, member(c, "px"), member(c, "py")))

    count_loop(f, "i", len(REST), ball, declare=local)
    return f


def script():
    a = Asm()
    set_member(a, var("Stage"), "scaleMode", "noScale")

    bg = var("bg")
    call(a, method(ROOT, "createEmptyMovieClip", "bg", 1))
    call(a, method(bg, "beginFill", STAGE_COLOUR, 100))
    call(a, method(bg, "moveTo", 0, 0))
    for x, y in ((STAGE_WIDTH, 0), (STAGE_WIDTH, STAGE_HEIGHT), (0, STAGE_HEIGHT), (0, 0)):
        call(a, method(bg, "lineTo", x, y))
    call(a, method(bg, "endFill"))
    call(a, method(ROOT, "createEmptyMovieClip", "lines", 2))

    set_var(a, "restX", array([x for x, _ in REST]))
    set_var(a, "restY", array([y for _, y in REST]))
    c, i = var("c"), var("i")

    def ball():
        set_var(a, "c", method(ROOT, "createEmptyMovieClip", add("b", i), add(10, i)))
        call(a, method(c, "beginFill", BALL_COLOUR, 100))
        call(a, method(c, "moveTo", BALL_RADIUS, 0))
        for cx, cy, x, y in circle_curves(BALL_RADIUS):
            call(a, method(c, "curveTo", number(cx), number(cy), number(x), number(y)))
        call(a, method(c, "endFill"))
        set_member(a, c, "ax", add(ANCHOR_MIN_X, random_below(ANCHOR_SPAN)))
        set_member(a, c, "rx", member(var("restX"), i))
        set_member(a, c, "ry", member(var("restY"), i))
        for prop in ("vx", "vy"):
            set_member(a, c, prop, 0)
        for prop, src in (("px", "rx"), ("py", "ry"), ("_x", "rx"), ("_y", "ry")):
            set_member(a, c, prop, member(c, src))

    count_loop(a, "i", len(REST), ball)

    # Before SWF 8 createTextField returns nothing: fetch the field by name.
    x, y, w, h = CAPTION_BOX
    call(a, method(ROOT, "createTextField", "cap", 30, x, y, w, h))
    cap = var("cap")
    set_member(a, cap, "selectable", False)
    set_member(a, cap, "text", CAPTION)
    set_var(a, "fmt", new("TextFormat", "_sans", CAPTION_SIZE, CAPTION_COLOUR))
    set_member(a, var("fmt"), "align", "center")
    call(a, method(cap, "setTextFormat", var("fmt")))

    a.define_function("update", [], update_function())
    # onEnterFrame first fires on the next frame: draw the first one now.
    emit(a, 0)
    a.push("update")
    a.op(CALL_FUNCTION)
    a.op(POP)
    set_member(a, ROOT, "onEnterFrame", var("update"))
    # Lets a host that listens (the playback test) know the scene is built.
    a.op(GET_URL, string("FSCommand:ready") + string(""))
    return a.assemble() + bytes([END])


# --- The file -------------------------------------------------------------------

def bits_signed(v):
    return 0 if v == 0 else (1 if v == -1 else abs(v).bit_length() + 1)


def rect(xmin, xmax, ymin, ymax):
    values = (xmin, xmax, ymin, ymax)
    n = max(bits_signed(v) for v in values)
    bits = format(n, "05b") + "".join(format(v & ((1 << n) - 1), f"0{n}b") for v in values)
    bits += "0" * (-len(bits) % 8)
    return int(bits, 2).to_bytes(len(bits) // 8, "big")


def tag(code, body):
    if len(body) < 0x3F:
        return struct.pack("<H", code << 6 | len(body)) + body
    return struct.pack("<HI", code << 6 | 0x3F, len(body)) + body


def movie():
    body = rect(0, STAGE_WIDTH * 20, 0, STAGE_HEIGHT * 20)
    body += struct.pack("<HH", FRAME_RATE << 8, 1)
    body += tag(9, BACKGROUND.to_bytes(3, "big"))  # SetBackgroundColor
    body += tag(12, script())  # DoAction
    body += tag(1, b"")  # ShowFrame
    body += tag(0, b"")  # End
    # The declared length is that of the whole file once decompressed.
    header = b"CWS" + bytes([6]) + struct.pack("<I", len(body) + 8)
    return header + zlib.compress(body, 9)


def scene():
    return {"stage": [STAGE_WIDTH, STAGE_HEIGHT], "rate": FRAME_RATE,
            "stageColour": STAGE_COLOUR, "ballColour": BALL_COLOUR,
            "lineColour": LINE_COLOUR, "lineAlpha": LINE_ALPHA,
            "captionColour": CAPTION_COLOUR, "caption": CAPTION, "captionBox": list(CAPTION_BOX),
            "ballRadius": BALL_RADIUS, "curveControl": list(CURVE_CONTROL),
            "anchorMinX": ANCHOR_MIN_X, "anchorSpan": ANCHOR_SPAN,
            "pullRadius": PULL_RADIUS, "damping": DAMPING, "spring": SPRING,
            "rest": [list(p) for p in REST]}


def main(argv):
    if argv[1:] == ["--scene"]:
        import json
        print(json.dumps(scene()))
        return 0
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], "wb") as f:
        f.write(movie())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
