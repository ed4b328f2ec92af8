"""Locking, unlocking and changing a password with the real program, as a
person does it: folders handed over on the command line and through the
folder browser, passwords typed, Enter pressed, buttons clicked; each step
checked on the disk and on the screen."""
import os
import time
import unittest

import harness
from harness import Session, poll

FILES = {"a.txt": b"hello\r\n", "sub/b.bin": bytes(range(256)), "sub/empty": b""}


class Flows(unittest.TestCase):
    def setUp(self):
        self.s = Session("flows")

    def tearDown(self):
        self.s.cleanup()

    def assertLocked(self, rel, password, content):
        """rel is locked: on disk its name ends in one dot, mm.dat holds the
        password's bytes, and the rest of its content is as it was."""
        s = self.s
        self.assertFalse(os.path.exists(s.on_disk(rel)), os.listdir(os.path.dirname(s.on_disk(rel))))
        locked = s.on_disk(rel) + "."
        self.assertTrue(os.path.isdir(locked))
        with open(os.path.join(locked, "mm.dat"), "rb") as f:
            self.assertEqual(f.read(), password)
        state = harness.tree_state(locked)
        del state[os.path.join(".", "mm.dat")]
        self.assertEqual(state, content)

    def assertUnlocked(self, rel, content):
        s = self.s
        self.assertFalse(os.path.exists(s.on_disk(rel) + "."))
        self.assertEqual(harness.tree_state(s.on_disk(rel)), content)

    def lock_with_keyboard(self, password):
        """On the lock tab, with the focus in the password box as routing
        leaves it: type, click the confirmation box, type, Enter."""
        self.s.type(password)
        self.s.click("加密_密码2")
        self.s.type(password)
        self.s.key("Return")

    def test_lock_unlock_change_password_and_unlock_again(self):
        s = self.s
        s.make_tree("data", FILES)
        content = harness.tree_state(s.on_disk("data"))
        s.start(s.d("data"))
        self.assertIsNotNone(s.wait_window())

        # Lock with Enter.
        self.assertEqual((s.tab(), s.text("加密_路径")), (1, "D:\\data"))
        self.assertEqual(s.text("加密_内容"), "请为路径 D:\\data  文件夹输入加密密码")
        self.lock_with_keyboard("abc")
        self.assertTrue(poll(lambda: s.text("加密_内容") == "已经为路径  D:\\data  加密成功", 10),
                        s.text("加密_内容"))
        self.assertEqual((s.text("加密_密码"), s.text("加密_密码2"), s.text("加密_路径")), ("", "", "D:\\data"))
        self.assertLocked("data", b"abc", content)

        # Unlock: the locked folder chosen in the folder browser, "open the
        # folder after unlocking" checked, the password typed, the button clicked.
        s.click_tab(2)
        s.click("解密_按钮")
        s.choose_folder(s.d("data."))
        self.assertEqual((s.tab(), s.text("解密_路径")), (2, "D:\\data."))
        self.assertEqual(s.text("解密_内容"), "请为路径 D:\\data.  文件夹输入解密密码")
        s.click("选择框1")
        self.assertTrue(s.checked("选择框1"))
        s.click("解密_密码")
        s.type("abc")
        s.click("按钮1")
        self.assertTrue(poll(lambda: s.text("解密_内容") == "已经为路径 D:\\data. 解密成功", 10), s.text("解密_内容"))
        self.assertEqual([s.text(n) for n in ("解密_密码", "解密_路径", "加密_路径", "加密_内容")], [""] * 4)
        self.assertUnlocked("data", content)
        explorer = poll(lambda: [w for w in s.windows() if w[0] == "ExplorerWClass" and w[1] == "data"], 20)
        self.assertTrue(explorer, "no Explorer window for the folder: %r" % s.windows())
        self.assertTrue(poll(lambda: sorted(s.probe("list-items", "data")[1].split()) == ["a.txt", "sub"], 10),
                        s.probe("list-items", "data")[1])
        s.close("data")
        self.assertTrue(poll(lambda: not [w for w in s.windows() if w[0] == "ExplorerWClass"], 10))

        # Lock again, the folder chosen with the start tab's browse button,
        # the lock button clicked.
        s.click_tab(0)
        s.click("开始_按钮")
        s.choose_folder(s.d("data"))
        self.assertEqual((s.tab(), s.text("编辑框1"), s.text("加密_路径")), (1, "D:\\data", "D:\\data"))
        s.type("abc")
        s.click("加密_密码2")
        s.type("abc")
        s.click("按钮3")
        self.assertTrue(poll(lambda: os.path.isdir(s.on_disk("data.")), 10))
        self.assertLocked("data", b"abc", content)

        # Change the password: the locked folder chosen on the change tab and
        # the browser confirmed with Enter; a new password longer than the
        # lock tab's limit.
        s.click_tab(3)
        s.click("改密_按钮")
        s.choose_folder(s.d("data."), confirm="enter")
        self.assertEqual((s.tab(), s.text("编辑框1"), s.text("改密_路径")), (3, "D:\\data.", "D:\\data."))
        self.assertEqual(s.text("改密_内容1"), "请输入 D:\\data. 的原始密码和新密码完成改密工作")
        new = "a-much-longer-password"
        s.click("改密_1")
        s.type("abc")
        s.click("改密_2")
        s.type(new)
        s.key("Return")
        self.assertTrue(poll(lambda: s.text("改密_内容1") == "已经为 D:\\data. 文件夹更改密码成功", 10),
                        s.text("改密_内容1"))
        self.assertEqual((s.text("改密_1"), s.text("改密_2"), s.text("改密_路径")), ("", "", "D:\\data."))
        self.assertLocked("data", new.encode(), content)

        # The old password no longer opens it; the new one does.
        s.click_tab(2)
        s.click("解密_按钮")
        s.choose_folder(s.d("data."))
        s.click("选择框1")  # no second Explorer window this time
        self.assertFalse(s.checked("选择框1"))
        s.click("解密_密码")
        s.type("abc")
        s.key("Return")
        self.assertEqual(s.message()["text"], "请检查您输入的密码是否正确")
        self.assertLocked("data", new.encode(), content)
        s.click("解密_密码")
        s.key("ctrl+a")
        s.type(new)
        s.key("Return")
        self.assertTrue(poll(lambda: s.text("解密_内容") == "已经为路径 D:\\data. 解密成功", 10), s.text("解密_内容"))
        self.assertUnlocked("data", content)
        self.assertTrue(s.no_message(500))
        self.assertFalse([w for w in s.windows() if w[0] == "ExplorerWClass"])

    def test_chinese_folder_under_chinese_parent(self):
        s = self.s
        rel = "资料\\私人资料"
        s.make_tree(rel, {"笔记.txt": "你好".encode("gbk"), "照片/一.jpg": b"\xff\xd8"})
        content = harness.tree_state(s.on_disk(rel))
        s.start(s.d(rel))
        self.assertIsNotNone(s.wait_window())
        self.assertEqual((s.tab(), s.text("加密_路径")), (1, "D:\\资料\\私人资料"))
        self.lock_with_keyboard("pw")
        self.assertTrue(poll(lambda: s.text("加密_内容") == "已经为路径  D:\\资料\\私人资料  加密成功", 10),
                        s.text("加密_内容"))
        self.assertEqual(sorted(os.listdir(s.on_disk("资料"))), ["私人资料."])
        self.assertLocked(rel, b"pw", content)

        s.click("加密_按钮")
        s.choose_folder(s.d(rel + "."))
        self.assertEqual((s.tab(), s.text("解密_路径")), (2, "D:\\资料\\私人资料."))
        s.type("pw")  # routing left the focus in the password box
        s.key("Return")
        self.assertTrue(poll(lambda: s.text("解密_内容") == "已经为路径 D:\\资料\\私人资料. 解密成功", 10),
                        s.text("解密_内容"))
        self.assertUnlocked(rel, content)

    def test_exit_option_ends_the_program_after_a_lock_not_after_a_failure(self):
        s = self.s
        s.make_tree("data", FILES)
        content = harness.tree_state(s.on_disk("data"))
        s.start(s.d("missing"))  # a path that names nothing: the lock tab, then a failed rename
        self.assertIsNotNone(s.wait_window())
        s.click_tab(4)
        s.click("选择框4")
        self.assertTrue(s.checked("选择框4"))
        s.click_tab(1)
        self.assertEqual(s.text("加密_路径"), "D:\\missing")
        s.click("加密_密码")
        self.lock_with_keyboard("abc")
        box = s.messages(5000, close=False)
        self.assertEqual([(b["title"], b["text"], b["icon"]) for b in box],
                         [("提示", "加密失败,原路径可能不存在", "warning")])
        s.key("Return")
        self.assertTrue(poll(lambda: s.text("加密_内容") == "路径  D:\\missing  加密失败", 10), s.text("加密_内容"))
        # Well past the pause that follows a success.
        self.assertFalse(poll(lambda: not s.running(), 4), "the program ended after a failed lock")
        self.assertEqual(s.wait_window(1000)["visible"], True)

        s.click("加密_按钮")
        s.choose_folder(s.d("data"))
        s.click("加密_密码")
        s.type("abc")
        s.click("加密_密码2")
        s.type("abc")
        pressed = time.time()
        s.key("Return")
        self.assertEqual(s.exit_code(timeout=30), 0)
        print("program ended %.1f s after Enter" % (time.time() - pressed))
        self.assertLocked("data", b"abc", content)


class Refusals(unittest.TestCase):
    """Each refusal shows its message and changes nothing on the disk."""

    def setUp(self):
        self.s = Session("refusal")
        s = self.s
        s.make_tree("data", FILES)
        s.make_tree("locked.", {"mm.dat": b"abc", "a.txt": b"x"})
        s.make_tree("my.docs\\notes", {"n.txt": b"n"})
        with open(s.on_disk("note.txt"), "wb") as f:
            f.write(b"just a file")
        self.before = s.disk_state()

    def tearDown(self):
        self.s.cleanup()

    def test_a_file(self):
        s = self.s
        s.start(s.d("note.txt"))
        # The refusal comes before the window is shown.
        box = s.messages(20000, close=False)
        self.assertEqual([(b["title"], b["text"], b["icon"]) for b in box],
                         [("提示", "仅支持对文件夹进行操作", "information")])
        self.assertFalse(s.wait_window(0)["visible"])
        s.key("Return")
        self.assertTrue(s.wait_window()["visible"])
        self.assertTrue(poll(s.hotkey_held, 5), "the window came up inactive")
        self.assertEqual((s.tab(), s.text("编辑框1"), s.text("加密_路径")), (0, "", ""))
        self.assertEqual(s.disk_state(), self.before)

    def test_two_passwords_that_differ(self):
        s = self.s
        s.start(s.d("data"))
        self.assertIsNotNone(s.wait_window())
        s.type("abc")
        s.click("加密_密码2")
        s.type("abd")
        s.key("Return")
        box = s.messages(5000, close=False)
        self.assertEqual([(b["title"], b["text"], b["icon"]) for b in box],
                         [("提示..", "请检查您输入的密码是否有误", "information")])
        s.key("Return")
        self.assertEqual((s.text("加密_密码"), s.text("加密_密码2")), ("abc", "abd"))
        self.assertEqual(s.text("加密_内容"), "请为路径 D:\\data  文件夹输入加密密码")
        self.assertEqual(s.disk_state(), self.before)

    def test_a_wrong_password(self):
        s = self.s
        s.start(s.d("locked."))
        self.assertIsNotNone(s.wait_window())
        self.assertEqual(s.tab(), 2)
        s.type("ABC")  # the comparison is case-sensitive
        s.key("Return")
        box = s.messages(5000, close=False)
        self.assertEqual([(b["title"], b["text"], b["icon"]) for b in box],
                         [("提示..", "请检查您输入的密码是否正确", "information")])
        s.key("Return")
        self.assertEqual((s.text("解密_密码"), s.text("解密_路径")), ("ABC", "D:\\locked."))
        self.assertEqual(s.disk_state(), self.before)

    def test_an_ordinary_dotted_folder_on_the_unlock_tab(self):
        s = self.s
        s.start(s.d("my.docs\\notes"))
        self.assertIsNotNone(s.wait_window())
        self.assertEqual((s.tab(), s.text("解密_路径")), (2, "D:\\my.docs\\notes"))
        s.key("Return")  # an empty password, and the folder holds no mm.dat
        box = s.messages(5000, close=False)
        self.assertEqual([(b["title"], b["text"], b["icon"]) for b in box],
                         [("提示..", "请重新选择解密文件夹路径", "information")])
        s.key("Return")
        self.assertEqual(s.disk_state(), self.before)


if __name__ == "__main__":
    harness.main()
