"""The real program started alone in an empty folder: its window, its
version resource, the files it writes at a first start and not at a second,
and a clean exit."""
import os
import unittest

import harness
from harness import Session

CARRIED = ("SkinH_EL.dll", "skin.she", "gy.swf")


def settings_bytes(on_top, menu, leave):
    word = lambda v: "真" if v else "假"
    return ("[配置]\r\n置前=%s\r\n右键菜单=%s\r\n退出=%s\r\n" % (word(on_top), word(menu), word(leave))).encode("gbk")


class Startup(unittest.TestCase):
    def setUp(self):
        self.s = Session("startup")

    def tearDown(self):
        self.s.cleanup()

    def test_window_shows_and_closes_with_exit_code_0(self):
        self.s.start()
        w = self.s.wait_window()
        self.assertIsNotNone(w, "no main window appeared")
        self.assertTrue(w["visible"])
        self.assertEqual((w["w"], w["h"]), (370, 227))
        self.assertEqual((self.s.tab(), self.s.text("编辑框1")), (0, ""))
        self.s.screenshot("startup-window")
        self.assertTrue(self.s.close())
        self.assertEqual(self.s.exit_code(), 0)

    def test_version_resource(self):
        rc, out = self.s.probe("version", harness.winpath(self.s.exe))
        self.assertEqual(rc, 0, out)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        self.assertEqual(values.get("FileVersion"), "1.0.1.0")
        self.assertEqual(values.get("ProductVersion"), "1.0.1.0")
        self.assertEqual(values.get("FileDescription"), "加密文件夹")
        self.assertEqual(values.get("ProductName"), "OskaranTalvenor")
        self.assertEqual(values.get("CompanyName"), "Oskaran")
        self.assertEqual(values.get("Comments"), "Talvenor")

    def test_first_start_writes_its_files_and_a_second_start_nothing(self):
        s = self.s
        self.assertEqual(os.listdir(s.run_dir), ["Talvenor.exe"])
        self.assertIsNone(s.verb_command())
        s.start()
        self.assertIsNotNone(s.wait_window())
        built = {"SkinH_EL.dll": harness.ARGS.skin_engine, "skin.she": harness.ARGS.skin, "gy.swf": harness.ARGS.movie}
        for name in CARRIED:
            with self.subTest(file=name), open(built[name], "rb") as f:
                self.assertEqual(s.run_file(name), f.read())
        self.assertEqual(s.settings(), settings_bytes(False, True, False))
        self.assertEqual(s.verb_command(), s.expected_command())
        self.assertEqual([s.checked(n) for n in ("选择框2", "选择框3", "选择框4")], [False, True, False])
        self.assertFalse(s.topmost())
        self.assertTrue(s.drop_target())
        self.assertTrue(s.hotkey_held())  # the main window is active
        self.assertTrue(s.close())
        self.assertEqual(s.exit_code(), 0)
        self.assertEqual(sorted(os.listdir(s.run_dir)), sorted(("Talvenor.exe", s.SETTINGS) + CARRIED))

        def state():
            return {n: (os.stat(os.path.join(s.run_dir, n)).st_mtime_ns, s.run_file(n)) for n in os.listdir(s.run_dir)}

        before = state()
        s.start()
        self.assertIsNotNone(s.wait_window())
        self.assertEqual([s.checked(n) for n in ("选择框2", "选择框3", "选择框4")], [False, True, False])
        self.assertTrue(s.close())
        self.assertEqual(s.exit_code(), 0)
        self.assertEqual(state(), before)
        self.assertEqual(s.verb_command(), s.expected_command())


if __name__ == "__main__":
    harness.main()
