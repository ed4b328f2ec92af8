"""The real program started alone in an empty folder: its window, its
version resource, and a clean exit."""
import os
import unittest

import harness
from harness import Session


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


if __name__ == "__main__":
    harness.main()
