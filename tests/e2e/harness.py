"""Drives the real Talvenor.exe under Wine from outside its process.

Each Session has a run directory that holds only a copy of Talvenor.exe, a
fresh Wine prefix copied from the template, and a drive D: of its own for
the folders a test locks; everything runs on the X display given in DISPLAY
(the test command starts Xvfb). The user's side is played with xdotool (real
key presses and mouse clicks); what the program shows is read with the
probe, another Windows program on the same desktop."""
import argparse
import hashlib
import os
import re
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

ARGS = argparse.Namespace(exe=None, probe=None, artifacts=None, skin_engine=None, skin=None, movie=None,
                          no_export_dll=None)


def parse_args():
    p = argparse.ArgumentParser()
    p.add_argument("--exe", required=True)
    p.add_argument("--probe", required=True)
    p.add_argument("--artifacts", required=True)
    # The carried files as the build made them, and a DLL without exports.
    p.add_argument("--skin-engine")
    p.add_argument("--skin")
    p.add_argument("--movie")
    p.add_argument("--no-export-dll")
    known, rest = p.parse_known_args()
    for k, v in vars(known).items():
        setattr(ARGS, k, v)
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


def poll(predicate, timeout=20.0, interval=0.1):
    """Calls predicate until it returns something true or the time is up;
    returns its last result."""
    deadline = time.time() + timeout
    while True:
        result = predicate()
        if result or time.time() >= deadline:
            return result
        time.sleep(interval)


def tree_state(path):
    """Every name below path (directories marked) with a hash of every
    file's bytes: two equal states mean nothing was renamed, added, removed
    or changed."""
    state = {}
    for dirpath, dirnames, filenames in os.walk(path):
        rel = os.path.relpath(dirpath, path)
        for d in dirnames:
            state[os.path.join(rel, d)] = "dir"
        for f in filenames:
            with open(os.path.join(dirpath, f), "rb") as fh:
                state[os.path.join(rel, f)] = hashlib.sha256(fh.read()).hexdigest()
    return state


def unescape(text):
    """Undoes the probe's escapes of line breaks and backslashes."""
    return re.sub(r"\\(.)", lambda m: {"r": "\r", "n": "\n"}.get(m.group(1), m.group(1)), text)


def quote(arg):
    return '"%s"' % arg


class Session:
    def __init__(self, name="run", exe_name="Talvenor.exe"):
        base = os.path.join(BUILD, "e2e")
        os.makedirs(base, exist_ok=True)
        # No dot in the name: a dot anywhere in a path sends it to the unlock tab.
        self.root = tempfile.mkdtemp(prefix=name + "-", dir=base)
        self.prefix = os.path.join(self.root, "prefix")
        shutil.copytree(TEMPLATE, self.prefix, symlinks=True)
        self.env = wine_env(self.prefix)
        # Drive D: of the prefix is this session's own disk: short paths
        # such as D:\data, and a folder browser that reaches them quickly.
        self.disk = os.path.join(self.root, "disk")
        os.makedirs(self.disk)
        os.symlink(self.disk, os.path.join(self.prefix, "dosdevices", "d:"))
        self.run_dir = os.path.join(self.root, "app")
        os.makedirs(self.run_dir)
        self.exe = os.path.join(self.run_dir, exe_name)
        shutil.copy(ARGS.exe, self.exe)
        self.launcher = None
        self.helpers = []
        self._desktop = None

    # --- paths on drive D: ------------------------------------------------
    def on_disk(self, rel):
        """The Unix path of D:\\rel."""
        return os.path.join(self.disk, *rel.split("\\"))

    @staticmethod
    def d(rel):
        return "D:\\" + rel

    def make_tree(self, rel, files=None):
        """Creates the folder D:\\rel with the given files (name -> bytes)."""
        folder = self.on_disk(rel)
        os.makedirs(folder, exist_ok=True)
        for name, data in (files or {}).items():
            target = os.path.join(folder, *name.split("/"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(data)
        return folder

    def disk_state(self):
        return tree_state(self.disk)

    def run_file(self, name):
        """The bytes of a file in the run directory, or None."""
        try:
            with open(os.path.join(self.run_dir, name), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    SETTINGS = "配置文件.ini"
    VERB_KEY = "HKCR\\Folder\\shell\\Talvenor"
    COMMAND_KEY = VERB_KEY + "\\command"

    def settings(self):
        return self.run_file(self.SETTINGS)

    def verb_command(self):
        """The context-menu verb's command, or None when it is not installed."""
        return self.reg_default(self.COMMAND_KEY)

    def expected_command(self):
        return '"%s" "%%1"' % winpath(self.exe)

    # --- running things -------------------------------------------------
    def wine(self, *args, timeout=60, check=False):
        r = subprocess.run(["wine"] + [str(a) for a in args], env=self.env, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=timeout)
        out = r.stdout.decode("gbk", errors="replace").replace("\r", "")
        if check and r.returncode != 0:
            raise AssertionError("wine %s failed (%d): %s" % (args, r.returncode, out))
        return r.returncode, out

    def probe(self, *args, timeout=60):
        return self.wine(ARGS.probe, *args, timeout=timeout)

    def start(self, *args):
        """Starts Talvenor.exe with each argument in double quotes."""
        self.start_line(" ".join([quote(winpath(self.exe))] + [quote(a) for a in args]))

    def start_line(self, line):
        """Starts a command line as Explorer does; the probe waits for the
        program and reports its exit code."""
        self.launcher = subprocess.Popen(["wine", ARGS.probe, "run-line", line], env=self.env,
                                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def running(self):
        return self.launcher is not None and self.launcher.poll() is None

    def exit_code(self, timeout=30):
        """Waits for the program to end; returns its 32-bit exit code."""
        out, _ = self.launcher.communicate(timeout=timeout)
        text = out.decode("gbk", errors="replace")
        for line in text.splitlines():
            if line.startswith("exit 0x"):
                return int(line.split()[1], 16)
        raise AssertionError("no exit code from the launcher: %r" % text)

    def spawn(self, *args):
        """Starts another Windows program (for example notepad) beside ours."""
        p = subprocess.Popen(["wine"] + list(args), env=self.env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        self.helpers.append(p)
        return p

    def wait_window(self, timeout_ms=30000, title=TITLE):
        rc, out = self.probe("wait-window", title, str(timeout_ms), timeout=timeout_ms / 1000 + 30)
        if rc != 0:
            return None
        parts = out.split()
        if title == TITLE and parts[5] == "visible":
            # Visible is not yet ready for keys: under load the window may
            # become active a moment later, and keys typed before that are
            # lost. The main window holds Enter exactly while it is active.
            deadline = time.time() + 10
            while time.time() < deadline and not self.hotkey_held():
                time.sleep(0.1)
        return {"x": int(parts[1]), "y": int(parts[2]), "w": int(parts[3]), "h": int(parts[4]),
                "visible": parts[5] == "visible"}

    def close(self, title=TITLE):
        return self.probe("close", title)[0] == 0

    def cleanup(self):
        if self.running():
            self.close()
            try:
                self.launcher.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        for p in self.helpers + ([self.launcher] if self.launcher else []):
            try:
                p.communicate(timeout=10)
            except subprocess.TimeoutExpired:
                p.kill()
                p.communicate()
        shutil.rmtree(self.root, ignore_errors=True)

    # --- what the user sees ------------------------------------------------
    def messages(self, timeout_ms=5000, close=True):
        """The message boxes on the desktop (waiting up to timeout_ms for the
        first): title, text and the kind of icon each shows; OK is pressed on
        each unless close is false."""
        rc, out = self.probe("messages", str(timeout_ms), *([] if close else ["keep"]))
        boxes, box = [], {}
        for line in out.splitlines():
            key, _, value = line.partition("=")
            if key == "title":
                box = {"title": value}
                boxes.append(box)
            elif key == "text":
                box["text"] = unescape(value)
            elif key == "icon":
                box["icon_rect"] = [int(v) for v in value.split()]
        if boxes and not close:
            # The icon as drawn; read only while the box stays open.
            for b in boxes:
                b["icon"] = self.icon_kind(*b["icon_rect"])
        return boxes

    def message(self, timeout_ms=10000):
        """The one message box the program shows now: read, then closed."""
        boxes = self.messages(timeout_ms, close=False)
        if len(boxes) != 1:
            raise AssertionError("expected one message box, saw %r" % boxes)
        self.messages(1000)
        return boxes[0]

    def no_message(self, timeout_ms=1500):
        """True when no message box appears within timeout_ms."""
        return not self.messages(timeout_ms)

    def pixels(self, x, y, w, h):
        """RGB triples of a part of the screen (Wine's screen coordinates)."""
        d = self.desktop()
        r = subprocess.run(["import", "-silent", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, d.x + x, d.y + y),
                            "-depth", "8", "rgb:-"], stdout=subprocess.PIPE, check=True, timeout=60)
        data = r.stdout
        return [tuple(data[i:i + 3]) for i in range(0, len(data) - 2, 3)]

    def icon_kind(self, x, y, w, h):
        """Which of the system's message-box icons is drawn there, told by
        its colours: blue (information), yellow (warning), red (error)."""
        if w <= 0 or h <= 0:
            return "none"
        counts = {"information": 0, "warning": 0, "error": 0}
        for r, g, b in self.pixels(x, y, w, h):
            if b > 150 and b > r + 60 and b > g + 20:
                counts["information"] += 1
            elif r > 180 and g > 150 and b < 100:
                counts["warning"] += 1
            elif r > 170 and g < 90 and b < 90:
                counts["error"] += 1
        kind = max(counts, key=counts.get)
        return kind if counts[kind] > 20 else "none"

    def screenshot(self, name):
        path = os.path.join(ARGS.artifacts, name + ".png")
        subprocess.run(["import", "-silent", "-window", "root", path], check=True, timeout=60)
        return path

    def text(self, name):
        """The text of a control, read from outside the process."""
        rc, out = self.probe("text-id", TITLE, str(control_id(name)))
        if rc != 0:
            raise AssertionError("no control %s (is the window there?)" % name)
        return out[:-1] if out.endswith("\n") else out

    def tab(self):
        rc, out = self.probe("tab", TITLE)
        return int(out) if rc == 0 else None

    def checked(self, name):
        rc, out = self.probe("checked", TITLE, str(control_id(name)))
        return out.strip() == "1"

    def topmost(self):
        return self.probe("topmost", TITLE)[1].strip() == "1"

    def drop_target(self):
        """Whether OLE holds a drop target for the main window (None: there
        is no main window)."""
        rc = self.probe("drop-target", TITLE)[0]
        return None if rc == 2 else rc == 0

    def hotkey_held(self):
        """True while some program holds Enter as a hotkey."""
        return self.probe("hotkey-free")[0] == 1

    def windows(self):
        """Visible top-level windows: (class, title, (x, y, w, h))."""
        result = []
        for line in self.probe("windows")[1].splitlines():
            parts = line.split("|")
            if len(parts) >= 3:
                result.append((parts[0], "|".join(parts[1:-1]), tuple(int(v) for v in parts[-1].split())))
        return result

    def reg_default(self, key):
        """The default value of a registry key as `wine reg query` prints it,
        or None when the key is missing."""
        rc, out = self.wine("reg", "query", key, "/ve")
        if rc != 0:
            return None
        for line in out.splitlines():
            m = re.match(r"\s+\(\S+\)\s+REG_SZ\s+(.*)$", line)
            if m:
                return m.group(1)
        return ""

    # --- the folder browser -------------------------------------------------
    def browser(self, timeout_ms=10000):
        """The open folder browser: its caption and its controls by id."""
        rc, out = self.probe("dialog", str(timeout_ms))
        if rc != 0:
            return None
        info = {"caption": None, "controls": {}}
        for line in out.splitlines():
            if line.startswith("caption="):
                info["caption"] = line[len("caption="):]
            elif line.startswith("control "):
                head, _, text = line.partition("|")
                p = head.split()
                info["controls"][int(p[1])] = {"class": p[2], "rect": tuple(int(v) for v in p[3:7]), "text": text}
        return info

    def click_rect(self, rect):
        x, y, w, h = rect
        self.click_at(x + w // 2, y + h // 2)

    def choose_folder(self, path, confirm="click"):
        """In the open folder browser, clicks the folder at path in the tree,
        then confirms with a click on OK or with the Enter key."""
        info = self.browser()
        if not info:
            raise AssertionError("no folder browser")
        rc, out = self.probe("tree-item", path)
        if rc != 0:
            raise AssertionError("no item %s in the folder browser" % path)
        self.click_rect([int(v) for v in out.split()[1:5]])
        if confirm == "enter":
            self.key("Return")
        else:
            self.click_rect(info["controls"][1]["rect"])
        if not poll(lambda: self.browser(0) is None, 10):
            raise AssertionError("the folder browser stayed open")

    # --- the user's mouse and keyboard -------------------------------------
    def desktop(self):
        if self._desktop is None:
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
        # One connection, so that the click follows the move. (--sync can
        # wait many seconds for a motion the server never reports.)
        xdotool("mousemove", d.x + x, d.y + y, "click", "1")
        time.sleep(0.2)

    def click(self, name):
        r = self.rect(name)
        if not r or not r["visible"]:
            raise AssertionError("control %s is not visible" % name)
        self.click_at(r["x"] + r["w"] // 2, r["y"] + r["h"] // 2)

    def click_tab(self, index):
        """Clicks the caption of tab index on the tab strip."""
        rc, out = self.probe("tab-rect", TITLE, str(index))
        if rc != 0:
            raise AssertionError("no tab %d" % index)
        self.click_rect([int(v) for v in out.split()[1:5]])
        if not poll(lambda: self.tab() == index, 5):
            raise AssertionError("tab %d did not become current" % index)

    # Keys go wherever Wine has put the keyboard focus: to the active window,
    # as for a person at the keyboard.
    def type(self, text):
        xdotool("type", "--delay", "40", text)
        time.sleep(0.2)

    def key(self, *keys):
        xdotool("key", "--delay", "60", *keys)
        time.sleep(0.3)


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
