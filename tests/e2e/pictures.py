"""Pictures of the real window for the README: every tab as a user fills it
in, the about tab's movie following the pointer, and a message box; each
cropped to what it shows. Run by scripts/pictures.sh."""
import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import Session, poll  # noqa: E402

MARGIN = 6


def save(s, name, box, out):
    raw = s.screenshot("raw-" + name)
    x, y, w, h = box
    d = s.desktop()
    target = os.path.join(out, name + ".png")
    # Few colours and no metadata keep the files small.
    subprocess.run(["convert", raw, "-crop", "%dx%d+%d+%d" % (w, h, d.x + x, d.y + y), "+repage",
                    "-strip", "-colors", "128", "-define", "png:compression-level=9", target], check=True)
    os.remove(raw)
    print(target, os.path.getsize(target), "bytes")


def window_box(w):
    return (w["x"] - MARGIN, w["y"] - MARGIN, w["w"] + 2 * MARGIN, w["h"] + 2 * MARGIN)


def union(a, b):
    x, y = min(a[0], b[0]), min(a[1], b[1])
    return (x, y, max(a[0] + a[2], b[0] + b[2]) - x, max(a[1] + a[3], b[1] + b[3]) - y)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--out", required=True)
    known, rest = p.parse_known_args()
    sys.argv = [sys.argv[0]] + rest
    harness.parse_args()
    out = known.out
    os.makedirs(out, exist_ok=True)
    s = Session("pictures")
    try:
        folder = "资料\\私人资料"
        s.make_tree(folder, {"笔记.txt": b"x"})
        s.start()
        w = s.wait_window()
        assert w, "no window"
        box = window_box(w)
        time.sleep(0.5)
        save(s, "tab-0-start", box, out)

        # The lock tab as the folder browser leaves it, passwords typed.
        s.click("开始_按钮")
        s.choose_folder(s.d(folder))
        s.type("secret")
        s.click("加密_密码2")
        s.type("secret")
        save(s, "tab-1-lock", box, out)
        s.key("Return")
        assert poll(lambda: os.path.isdir(s.on_disk(folder + ".")), 10), "not locked"

        # The unlock tab with the locked folder, and a wrong password's message.
        s.click("加密_按钮")
        s.choose_folder(s.d(folder + "."))
        s.type("wrong")
        save(s, "tab-2-unlock", box, out)
        s.key("Return")
        boxes = poll(lambda: [b for b in s.windows() if b[0] == "#32770"], 10)
        assert boxes, "no message box"
        time.sleep(0.5)
        save(s, "message-box", union(box, boxes[0][2]), out)
        s.key("Return")

        s.click_tab(3)
        s.click("改密_按钮")
        s.choose_folder(s.d(folder + "."))
        save(s, "tab-3-change", box, out)

        s.click_tab(4)
        save(s, "tab-4-settings", box, out)

        s.click_tab(5)
        time.sleep(1)
        save(s, "tab-5-about", box, out)
        # The balls follow a pointer that comes close.
        r = s.rect("超文本浏览框1")
        d = s.desktop()
        for i in range(8):
            harness.xdotool("mousemove", d.x + r["x"] + 60 + 25 * i, d.y + r["y"] + 60 + 6 * i)
            time.sleep(0.15)
        time.sleep(1)
        save(s, "about-movie", box, out)
    finally:
        s.cleanup()


if __name__ == "__main__":
    main()
