"""The three options clicked on the settings tab, and the context-menu verb
used as Explorer uses it: read from the registry, %1 replaced, run."""
import unittest

import harness
from e2e_startup import settings_bytes
from harness import Session, poll

BOXES = ("选择框2", "选择框3", "选择框4")  # on top, context menu, exit after success


class Options(unittest.TestCase):
    def setUp(self):
        self.s = Session("settings")

    def tearDown(self):
        self.s.cleanup()

    def start(self):
        self.s.start()
        self.assertIsNotNone(self.s.wait_window())

    def restart(self):
        self.assertTrue(self.s.close())
        self.assertEqual(self.s.exit_code(), 0)
        self.start()

    def assertOptions(self, on_top, menu, leave):
        s = self.s
        self.assertEqual([s.checked(n) for n in BOXES], [on_top, menu, leave])
        self.assertEqual(s.topmost(), on_top)
        self.assertEqual(s.verb_command(), s.expected_command() if menu else None)
        if not menu:
            self.assertIsNone(s.reg_default(s.VERB_KEY))
            self.assertIsNone(s.reg_default("HKCU\\Software\\Classes\\Folder\\shell\\Talvenor"))

    def test_each_click_applies_and_stores_its_option_and_the_next_start_loads_them(self):
        s = self.s
        self.start()
        s.click_tab(4)
        s.click("选择框2")
        s.click("选择框3")
        s.click("选择框4")
        self.assertTrue(poll(lambda: s.settings() == settings_bytes(True, False, True), 5), s.settings())
        self.assertOptions(True, False, True)

        self.restart()
        self.assertOptions(True, False, True)
        self.assertEqual(s.settings(), settings_bytes(True, False, True))

        s.click_tab(4)
        s.click("选择框2")
        s.click("选择框3")
        self.assertTrue(poll(lambda: s.settings() == settings_bytes(False, True, True), 5), s.settings())
        self.assertOptions(False, True, True)

    def test_context_menu_verb_as_explorer_uses_it(self):
        s = self.s
        s.make_tree("data", {"a.txt": b"a"})
        self.start()  # a first start installs the verb
        self.assertTrue(s.close())
        self.assertEqual(s.exit_code(), 0)

        command = s.verb_command()
        self.assertEqual(command, s.expected_command())
        s.start_line(command.replace("%1", s.d("data")))
        self.assertIsNotNone(s.wait_window())
        self.assertEqual((s.tab(), s.text("加密_路径")), (1, "D:\\data"))
        self.assertEqual(s.text("加密_内容"), "请为路径 D:\\data  文件夹输入加密密码")
        s.type("abc")  # the focus is in the password box
        self.assertEqual(s.text("加密_密码"), "abc")


if __name__ == "__main__":
    harness.main()
