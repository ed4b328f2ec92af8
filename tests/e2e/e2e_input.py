"""The Enter key and the folder browser, from the keyboard and the mouse.

Enter belongs to the program only while its main window is active: there it
runs the current tab's operation, in other programs and in our own message
boxes it does what it does there."""
import os
import unittest

import harness
from harness import Session, poll

LOCK_GUARD = "请检查您输入的密码是否有误"


class EnterKey(unittest.TestCase):
    def setUp(self):
        self.s = Session("input")

    def tearDown(self):
        self.s.cleanup()

    def start_on_lock_tab(self):
        self.s.make_tree("data", {"a.txt": b"hello"})
        self.s.start(self.s.d("data"))
        self.assertIsNotNone(self.s.wait_window())
        self.assertEqual(self.s.tab(), 1)

    def test_enter_runs_the_current_tabs_operation(self):
        rows = [
            # tab, the operation's refusal with empty boxes (None: nothing runs)
            (0, None),
            (1, ("提示..", LOCK_GUARD)),
            (2, ("提示..", "请重新选择解密文件夹路径")),
            (3, ("提示..", "请重新选择改密文件夹路径")),
            (4, None),
            (5, None),
        ]
        self.s.start()
        self.assertIsNotNone(self.s.wait_window())
        for tab, expected in rows:
            with self.subTest(tab=tab):
                self.s.click_tab(tab)
                self.s.key("Return")
                boxes = self.s.messages(3000 if expected else 1500)
                self.assertEqual([(b["title"], b["text"]) for b in boxes], [expected] if expected else [])
        # Esc is no way out of the window.
        self.s.key("Escape")
        self.assertFalse(poll(lambda: not self.s.running(), 2))

    def test_enter_on_a_message_box_closes_it_and_runs_nothing_else(self):
        self.start_on_lock_tab()
        before = self.s.disk_state()
        self.s.type("abc")
        self.s.click("加密_密码2")
        self.s.type("abd")
        self.s.key("Return")
        box = self.s.messages(5000, close=False)
        self.assertEqual([(b["title"], b["text"], b["icon"]) for b in box],
                         [("提示..", LOCK_GUARD, "information")])
        self.s.key("Return")
        # A nested run of the lock would show its refusal once more.
        self.assertTrue(self.s.no_message(2000))
        self.assertEqual((self.s.text("加密_密码"), self.s.text("加密_密码2")), ("abc", "abd"))
        self.assertEqual(self.s.disk_state(), before)

    def test_after_a_message_box_the_window_has_the_keyboard_again(self):
        # Mistyped confirmation, the refusal closed with Enter, the typo
        # corrected without touching the mouse, Enter: locked.
        self.start_on_lock_tab()
        self.s.type("abc")
        self.s.click("加密_密码2")
        self.s.type("abd")
        self.s.key("Return")
        self.assertEqual(len(self.s.messages(5000, close=False)), 1)
        self.s.key("Return")
        self.assertTrue(poll(lambda: not self.s.messages(0, close=False), 5))
        self.s.key("BackSpace")
        self.s.type("c")
        self.assertEqual(self.s.text("加密_密码2"), "abc")
        self.s.key("Return")
        self.assertTrue(poll(lambda: os.path.isdir(self.s.on_disk("data.")), 10), os.listdir(self.s.disk))
        self.assertTrue(self.s.no_message(500))

    def test_enter_in_another_program_reaches_it(self):
        self.start_on_lock_tab()  # empty password boxes: a run of the lock would show its refusal
        self.assertTrue(self.s.hotkey_held())
        before = self.s.disk_state()
        self.s.spawn("notepad")
        notepad = poll(lambda: [w for w in self.s.windows() if w[0] == "Notepad"], 20)
        self.assertTrue(notepad, "notepad did not open")
        title = notepad[0][1]
        self.s.probe("place", title, 0, 0, 320, 240)  # beside our window, as a person would drag it
        self.assertTrue(poll(lambda: not self.s.hotkey_held(), 10), "Enter still held with notepad active")
        self.s.type("one")
        self.s.key("Return")
        self.s.type("two")
        rc, text = self.s.probe("text", title, "Edit", "0")
        self.assertEqual(text.rstrip("\n"), "one\ntwo")
        self.assertTrue(self.s.no_message(1500))
        self.assertEqual(self.s.disk_state(), before)

        # Back in our window, Enter is ours again.
        self.s.click("加密_密码")
        self.assertTrue(poll(self.s.hotkey_held, 10))
        self.s.key("Return")
        self.assertEqual(self.s.message()["text"], LOCK_GUARD)
        rc, text = self.s.probe("text", title, "Edit", "0")
        self.assertEqual(text.rstrip("\n"), "one\ntwo")


class FolderBrowser(unittest.TestCase):
    def setUp(self):
        self.s = Session("browser")

    def tearDown(self):
        self.s.cleanup()

    def test_title_and_cancel(self):
        s = self.s
        s.make_tree("data")
        s.start()
        self.assertIsNotNone(s.wait_window())
        s.click("开始_按钮")
        info = s.browser()
        self.assertIsNotNone(info, "no folder browser")
        self.assertEqual(info["controls"][14146]["text"], "请选择文件夹")
        s.choose_folder(s.d("data"))
        self.assertEqual((s.tab(), s.text("编辑框1"), s.text("加密_路径")), (1, "D:\\data", "D:\\data"))

        # Cancel: the last choice is dropped and nothing else changes.
        prompt = s.text("加密_内容")
        s.click("加密_按钮")
        info = s.browser()
        self.assertIsNotNone(info, "no folder browser")
        s.click_rect(info["controls"][2]["rect"])
        self.assertTrue(poll(lambda: s.browser(0) is None, 10), "the folder browser stayed open")
        self.assertEqual((s.tab(), s.text("编辑框1"), s.text("加密_路径"), s.text("加密_内容")),
                         (1, "D:\\data", "D:\\data", prompt))
        self.assertTrue(s.no_message(1000))


if __name__ == "__main__":
    harness.main()
