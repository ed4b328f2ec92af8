"""Screenshots of every tab of the real window, the about tab's movie and a
message box, for the README. Run by scripts/pictures.sh."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import Session  # noqa: E402

TABS = ["start", "lock", "unlock", "change", "settings", "about"]


def crop(src, dst, box):
    x, y, w, h = box
    subprocess.run(["convert", src, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", dst], check=True)


def main():
    harness.parse_args()
    out = harness.ARGS.artifacts
    s = Session("pictures")
    try:
        folder = os.path.join(s.root, "资料")
        os.makedirs(folder)
        s.start()
        w = s.wait_window()
        assert w, "no window"
        d = s.desktop()
        box = (d.x + w["x"] - 4, d.y + w["y"] - 4, w["w"] + 8, w["h"] + 8)
        time.sleep(1)
        for i, name in enumerate(TABS):
            rc, _ = s.probe("select-tab", harness.TITLE, str(i))
            time.sleep(1.5 if name == "about" else 0.5)
            if name == "about":
                # The scene follows the pointer.
                r = s.rect("超文本浏览框1")
                s.click_at(r["x"] + r["w"] // 2, r["y"] + r["h"] // 2)
                time.sleep(1)
            raw = s.screenshot("raw-" + name)
            crop(raw, os.path.join(out, "tab-%d-%s.png" % (i, name)), box)
            os.remove(raw)
        s.probe("select-tab", harness.TITLE, "1")
        s.click("按钮3")  # empty passwords: the guard's message box
        time.sleep(1)
        raw = s.screenshot("raw-message")
        crop(raw, os.path.join(out, "message-box.png"), (d.x + w["x"] - 60, d.y + w["y"] - 40, w["w"] + 120, w["h"] + 80))
        os.remove(raw)
        s.messages(2000)
    finally:
        s.cleanup()


if __name__ == "__main__":
    main()
