"""Drives the real Talvenor.exe under Wine from outside its process.

Each Session has a run directory that holds only a copy of Talvenor.exe and
a fresh Wine prefix copied from the template; everything runs on the X
display given in DISPLAY (the test command starts Xvfb)."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD = os.environ.get("TALVENOR_BUILD", os.path.join(ROOT, "build"))
TEMPLATE = os.path.join(BUILD, "wine", "template")
TITLE = "OskaranTalvenor  [Power By Wendrith]"

ARGS = argparse.Namespace(exe=None, probe=None, artifacts=None)


def parse_args():
    p = argparse.ArgumentParser()
    p.add_argument("--exe", required=True)
    p.add_argument("--probe", required=True)
    p.add_argument("--artifacts", required=True)
    known, rest = p.parse_known_args()
    ARGS.exe, ARGS.probe, ARGS.artifacts = known.exe, known.probe, known.artifacts
    os.makedirs(ARGS.artifacts, exist_ok=True)
    return [sys.argv[0]] + rest


def winpath(unix_path):
    """Wine maps the Unix root to drive Z:."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


def wine_env(prefix):
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": prefix,
        "WINEARCH": "win32",
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "mscoree,mshtml=",
        "LOCPATH": os.path.join(BUILD, "locale"),
        "LC_ALL": "zh_CN.UTF-8",
        "LANG": "zh_CN.UTF-8",
    })
    return env


class Session:
    def __init__(self, name="run", exe_name="Talvenor.exe"):
        base = os.path.join(BUILD, "e2e")
        os.makedirs(base, exist_ok=True)
        self.root = tempfile.mkdtemp(prefix=name + ".", dir=base)
        self.prefix = os.path.join(self.root, "prefix")
        shutil.copytree(TEMPLATE, self.prefix, symlinks=True)
        self.env = wine_env(self.prefix)
        self.run_dir = os.path.join(self.root, "app")
        os.makedirs(self.run_dir)
        self.exe = os.path.join(self.run_dir, exe_name)
        shutil.copy(ARGS.exe, self.exe)
        self.launcher = None

    # --- running things -------------------------------------------------
    def wine(self, *args, timeout=60, check=False):
        r = subprocess.run(["wine"] + list(args), env=self.env, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=timeout)
        out = r.stdout.decode("gbk", errors="replace").replace("\r", "")
        if check and r.returncode != 0:
            raise AssertionError("wine %s failed (%d): %s" % (args, r.returncode, out))
        return r.returncode, out

    def probe(self, *args, timeout=60):
        return self.wine(ARGS.probe, *args, timeout=timeout)

    def start(self, *args):
        """Starts Talvenor.exe through the probe, which reports its exit code."""
        self.launcher = subprocess.Popen(["wine", ARGS.probe, "run", winpath(self.exe)] + list(args),
                                         env=self.env, stdout=subprocess.PIPE,
                                         stderr=subprocess.DEVNULL)

    def exit_code(self, timeout=30):
        """Waits for the program to end; returns its 32-bit exit code."""
        out, _ = self.launcher.communicate(timeout=timeout)
        text = out.decode("gbk", errors="replace")
        for line in text.splitlines():
            if line.startswith("exit 0x"):
                return int(line.split()[1], 16)
        raise AssertionError("no exit code from the launcher: %r" % text)

    def wait_window(self, timeout_ms=30000):
        rc, out = self.probe("wait-window", TITLE, str(timeout_ms), timeout=timeout_ms / 1000 + 30)
        if rc != 0:
            return None
        parts = out.split()
        return {"x": int(parts[1]), "y": int(parts[2]), "w": int(parts[3]), "h": int(parts[4]),
                "visible": parts[5] == "visible"}

    def close(self):
        return self.probe("close", TITLE)[0] == 0

    def messages(self, timeout_ms=5000):
        rc, out = self.probe("messages", str(timeout_ms))
        boxes, box = [], {}
        for line in out.splitlines():
            key, _, value = line.partition("=")
            if key == "title":
                box = {"title": value}
                boxes.append(box)
            elif key in ("text", "icon"):
                box[key] = value.replace("|", "\n") if key == "text" else value
        return boxes

    def screenshot(self, name):
        path = os.path.join(ARGS.artifacts, name + ".png")
        subprocess.run(["import", "-window", "root", path], check=True, timeout=60)
        return path

    def cleanup(self):
        if self.launcher and self.launcher.poll() is None:
            self.close()
            try:
                self.launcher.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        shutil.rmtree(self.root, ignore_errors=True)


def main():
    argv = parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("end-to-end tests need an X display (the test command starts Xvfb)")
    unittest.main(argv=argv, verbosity=2)


# --- the form, read from the same table the program is built from ---------
FORM_SOURCE = os.path.join(ROOT, "app", "form.cpp")
FIRST_CONTROL_ID = 1000


def controls():
    """Control name -> (control id, tab), in form order."""
    import re
    table = {}
    index = 0
    with open(FORM_SOURCE, encoding="utf-8") as f:
        for line in f:
            m = re.match(r'\s*\{"([^"]+)",\s*(\d+),\s*Kind::', line)
            if m:
                table[m.group(1)] = (FIRST_CONTROL_ID + index, int(m.group(2)))
                index += 1
    return table


CONTROLS = None


def control_id(name):
    global CONTROLS
    if CONTROLS is None:
        CONTROLS = controls()
    return CONTROLS[name][0]


def xdotool(*args, timeout=30):
    r = subprocess.run(["xdotool"] + [str(a) for a in args], stdout=subprocess.PIPE,
                       stderr=subprocess.PIPE, timeout=timeout)
    return r.returncode, r.stdout.decode(errors="replace")


class Desktop:
    """The X window of Wine's virtual desktop: screen coordinates of Wine
    windows are relative to it."""

    def __init__(self):
        self.wid, self.x, self.y = None, 0, 0

    def find(self, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            rc, out = xdotool("search", "--name", "Wine desktop")
            ids = out.split()
            if ids:
                self.wid = ids[-1]
                rc, geo = xdotool("getwindowgeometry", "--shell", self.wid)
                values = dict(l.split("=", 1) for l in geo.splitlines() if "=" in l)
                self.x, self.y = int(values.get("X", 0)), int(values.get("Y", 0))
                return True
            time.sleep(0.2)
        return False


def _session_methods():
    def desktop(self):
        if getattr(self, "_desktop", None) is None:
            d = Desktop()
            if not d.find():
                raise AssertionError("no Wine desktop window on the X display")
            self._desktop = d
        return self._desktop

    def rect(self, name):
        rc, out = self.probe("rect", TITLE, str(control_id(name)))
        if rc != 0:
            return None
        p = out.split()
        return {"x": int(p[1]), "y": int(p[2]), "w": int(p[3]), "h": int(p[4]), "visible": p[5] == "visible"}

    def click_at(self, x, y):
        d = self.desktop()
        xdotool("mousemove", "--sync", d.x + x, d.y + y)
        time.sleep(0.1)
        xdotool("click", "1")
        time.sleep(0.3)

    def click(self, name):
        r = self.rect(name)
        if not r or not r["visible"]:
            raise AssertionError("control %s is not visible" % name)
        self.click_at(r["x"] + r["w"] // 2, r["y"] + r["h"] // 2)

    def focus_keyboard(self):
        d = self.desktop()
        xdotool("windowfocus", "--sync", d.wid)

    def type(self, text):
        self.focus_keyboard()
        xdotool("type", "--delay", "60", text)
        time.sleep(0.3)

    def key(self, *keys):
        self.focus_keyboard()
        xdotool("key", "--delay", "80", *keys)
        time.sleep(0.5)

    def text(self, name):
        """The text of a control, read from outside the process."""
        rc, out = self.probe("text-id", TITLE, str(control_id(name)))
        return out[:-1] if out.endswith("\n") else out

    for f in (desktop, rect, click_at, click, focus_keyboard, type, key, text):
        setattr(Session, f.__name__, f)


_session_methods()
