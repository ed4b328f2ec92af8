"""The real program when its skin engine is missing or no library: a junk
SkinH_EL.dll in the run directory, a library without SkinH_AttachEx, a
run directory it cannot write (so the engine is never extracted) and a disk
that fills up while the engine is written. Each row reads the fatal message
box from outside, looks at its icon on the screen, takes the exit code and
compares the run directory, name for name and byte for byte, with what it
should hold."""
import hashlib
import os
import shutil
import subprocess
import time
import unittest

import harness
from harness import Session

FATAL_TEXT = ("运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“SkinH_EL.dll”"
              "中的输出命令“SkinH_AttachEx”\r\n")
FATAL_TITLE = "错误"
ICON_ID = 0x440  # the icon's Static in a message box
EXIT_FATAL = 0xFFFFFFFF


def tree(path):
    """Relative name -> sha256 of the content ("<dir>" for a folder)."""
    out = {}
    for dirpath, dirnames, filenames in os.walk(path):
        rel = os.path.relpath(dirpath, path)
        for d in dirnames:
            out[os.path.normpath(os.path.join(rel, d)) + "/"] = "<dir>"
        for f in filenames:
            with open(os.path.join(dirpath, f), "rb") as fh:
                out[os.path.normpath(os.path.join(rel, f))] = hashlib.sha256(fh.read()).hexdigest()
    return out


def digest(data):
    return hashlib.sha256(data).hexdigest()


def can_mount():
    return os.geteuid() == 0 and shutil.which("mount") is not None


class FatalStart(unittest.TestCase):
    def setUp(self):
        self.s = Session("faults")
        self.mounts = []

    def tearDown(self):
        # The program runs from the mount: end Wine before taking it away.
        subprocess.run(["wineserver", "-k"], env=self.s.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.s.env, stderr=subprocess.DEVNULL)
        for m in reversed(self.mounts):
            if subprocess.run(["umount", m], stderr=subprocess.DEVNULL).returncode != 0:
                subprocess.run(["umount", "-l", m], stderr=subprocess.DEVNULL)
        self.s.cleanup()

    def mount(self, *args):
        r = subprocess.run(["mount"] + list(args) + [self.s.run_dir], stderr=subprocess.PIPE)
        if r.returncode != 0:
            self.skipTest("cannot mount here: %s" % r.stderr.decode(errors="replace").strip())
        self.mounts.append(self.s.run_dir)

    def icon_colour(self, shot):
        """The mean colour of the box's icon, cut from a screenshot."""
        rc, out = self.s.probe("rect", FATAL_TITLE, str(ICON_ID))
        self.assertEqual(rc, 0, "the box has no icon")
        _, x, y, w, h, _ = out.split()
        d = self.s.desktop()
        crop = "%sx%s+%d+%d" % (w, h, d.x + int(x), d.y + int(y))
        r = subprocess.run(["convert", shot, "-crop", crop, "-resize", "1x1!", "-depth", "8",
                            "txt:-"], stdout=subprocess.PIPE, check=True, timeout=60)
        # "0,0: (r,g,b)  #RRGGBB  srgb(...)"
        colour = r.stdout.decode().splitlines()[-1].split("#")[1][:6]
        return tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4))

    def start_and_expect_fatal(self, label):
        """Starts the program; expects the fatal box, its error icon and exit -1."""
        self.s.start()
        deadline = time.time() + 30
        while self.s.probe("rect", FATAL_TITLE, str(ICON_ID))[0] != 0:
            self.assertLess(time.time(), deadline, "no fatal message box")
            time.sleep(0.3)
        time.sleep(0.5)  # let it paint
        shot = self.s.screenshot("fatal-" + label)
        r, g, b = self.icon_colour(shot)
        self.assertTrue(r > g + 40 and r > b + 40,
                        "the error icon is red; this one is (%d, %d, %d)" % (r, g, b))
        boxes = self.s.messages()
        self.assertEqual(len(boxes), 1, boxes)
        self.assertEqual(boxes[0]["title"], FATAL_TITLE)
        self.assertEqual(boxes[0]["text"], FATAL_TEXT)
        self.assertEqual(self.s.exit_code(), EXIT_FATAL)
        rc, _ = self.s.probe("wait-window", harness.TITLE, "500")
        self.assertNotEqual(rc, 0, "the main window must never appear")

    def test_junk_library(self):
        junk = b"this is no library\r\n" * 100
        with open(os.path.join(self.s.run_dir, "SkinH_EL.dll"), "wb") as f:
            f.write(junk)
        self.start_and_expect_fatal("junk")
        after = tree(self.s.run_dir)
        # Extraction goes on to the skin, which comes before the engine is
        # bound; nothing after that step runs: no settings, no movie.
        self.assertEqual(sorted(after), ["SkinH_EL.dll", "Talvenor.exe", "skin.she"])
        self.assertEqual(after["SkinH_EL.dll"], digest(junk), "a file of that name is never replaced")

    def test_library_without_the_entry(self):
        # A real library, loadable, that exports no SkinH_AttachEx.
        stand_in = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(harness.ARGS.probe))),
                                "win", "skin_probe_noattach.dll")
        if not os.path.exists(stand_in):
            self.skipTest("skin_probe_noattach.dll is not built")
        shutil.copy(stand_in, os.path.join(self.s.run_dir, "SkinH_EL.dll"))
        self.start_and_expect_fatal("noentry")
        after = tree(self.s.run_dir)
        self.assertEqual(sorted(after), ["SkinH_EL.dll", "Talvenor.exe", "skin.she"])
        with open(stand_in, "rb") as f:
            self.assertEqual(after["SkinH_EL.dll"], digest(f.read()))

    def test_read_only_run_directory(self):
        # Wine as root ignores the read-only attribute; a read-only mount
        # refuses for real, so the engine is never written.
        if not can_mount():
            self.skipTest("needs root to mount")
        before = tree(self.s.run_dir)
        self.mount("--bind", self.s.run_dir)
        if subprocess.run(["mount", "-o", "remount,bind,ro", self.s.run_dir]).returncode != 0:
            self.skipTest("cannot make a read-only mount here")
        self.start_and_expect_fatal("readonly")
        self.assertEqual(tree(self.s.run_dir), before)

    def test_disk_full_while_extracting(self):
        # Room for the executable and two pages more: the engine is cut
        # short, the skin file gets nothing, and the short engine stays.
        if not can_mount():
            self.skipTest("needs root to mount")
        size = os.path.getsize(self.s.exe)
        pages = (size + 4095) // 4096 + 2
        with open(self.s.exe, "rb") as f:
            program = f.read()
        self.mount("-t", "tmpfs", "-o", "size=%d" % (pages * 4096), "tmpfs")
        shutil.copy(harness.ARGS.exe, self.s.exe)
        self.start_and_expect_fatal("diskfull")
        after = tree(self.s.run_dir)
        self.assertEqual(sorted(after), ["SkinH_EL.dll", "Talvenor.exe", "skin.she"])
        self.assertEqual(after["Talvenor.exe"], digest(program))
        engine = os.path.getsize(os.path.join(self.s.run_dir, "SkinH_EL.dll"))
        self.assertTrue(0 < engine <= 2 * 4096, "a short engine: %d bytes" % engine)
        self.assertEqual(os.path.getsize(os.path.join(self.s.run_dir, "skin.she")), 0)


if __name__ == "__main__":
    harness.main()
