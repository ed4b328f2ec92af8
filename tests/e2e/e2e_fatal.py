"""A skin engine that cannot be bound ends the start: the error box, exit
code -1, and none of the later start-up steps."""
import os
import unittest

import harness
from harness import Session

FATAL_TEXT = "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachEx”\r\n"


def junk():
    return b"MZ" + bytes((i * 37) % 251 for i in range(4096))


def no_export():
    with open(harness.ARGS.no_export_dll, "rb") as f:
        return f.read()


class Fatal(unittest.TestCase):
    def test_a_skin_engine_that_cannot_be_bound(self):
        for label, content in (("junk file", junk), ("DLL without the export", no_export)):
            with self.subTest(label):
                s = Session("fatal")
                try:
                    self.check(s, content())
                finally:
                    s.cleanup()

    def check(self, s, dll):
        with open(os.path.join(s.run_dir, "SkinH_EL.dll"), "wb") as f:
            f.write(dll)
        s.start()
        box = s.messages(20000, close=False)
        self.assertEqual([(b["title"], b["text"], b["icon"]) for b in box], [("错误", FATAL_TEXT, "error")])
        # While the box shows, the window exists, hidden, without the later steps.
        self.assertFalse(s.wait_window(0)["visible"])
        self.assertIs(s.drop_target(), False)
        self.assertFalse(s.hotkey_held())
        s.key("Return")
        self.assertEqual(s.exit_code(), 0xFFFFFFFF)
        self.assertEqual(s.run_file("SkinH_EL.dll"), dll)  # present, so never overwritten
        with open(harness.ARGS.skin, "rb") as f:
            self.assertEqual(s.run_file("skin.she"), f.read())  # written before the engine is bound
        self.assertIsNone(s.settings())
        self.assertIsNone(s.run_file("gy.swf"))
        self.assertIsNone(s.verb_command())


if __name__ == "__main__":
    harness.main()
