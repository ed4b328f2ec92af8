// Our SkinH_EL.dll, extracted and bound as the program does it (the carried
// file, ExtractEmbeddedFile, ApplySkin), seen through real windows: the
// colours they answer and the pixels they put on screen.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "resources/embedded.h"
#include "resources/skin.h"
#include "resources_doubles.h"
#include "skin_test_window.h"

using namespace testing_resources;
using namespace testing_skin;

namespace {

struct Answer {
  COLORREF brush;
  COLORREF text;
};

// What `parent` answers for `control` (WM_CTLCOLOR*), read off a scratch DC.
Answer AskColour(HWND parent, UINT msg, HWND control) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, msg, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(control)));
  LOGBRUSH lb = {};
  GetObjectA(brush, sizeof lb, &lb);
  Answer a = {brush ? lb.lbColor : CLR_INVALID, GetTextColor(dc)};
  DeleteDC(dc);
  return a;
}

// The colour at each probe of a frame.
struct Look {
  COLORREF background, label, edit, prompt, buttonFace, checkSquare, tabPage, otherTab;
};

Look LookOf(TestFrame& frame) {
  Redraw(frame.hwnd());
  const Capture shot(frame.hwnd());
  const TestFrame::Probes p = frame.Points();
  return {shot.At(p.background), shot.At(p.label),      shot.At(p.edit),    shot.At(p.prompt),
          shot.At(p.buttonFace), shot.At(p.checkSquare), shot.At(p.tabPage), shot.At(p.otherTab)};
}

void ExpectLook(const Look& got, const Look& want, const char* which) {
  SCOPED_TRACE(which);
  EXPECT_EQ(Hex(got.background), Hex(want.background)) << "window background";
  EXPECT_EQ(Hex(got.label), Hex(want.label)) << "label";
  EXPECT_EQ(Hex(got.edit), Hex(want.edit)) << "edit box";
  EXPECT_EQ(Hex(got.prompt), Hex(want.prompt)) << "prompt box";
  EXPECT_EQ(Hex(got.buttonFace), Hex(want.buttonFace)) << "button face";
  EXPECT_EQ(Hex(got.checkSquare), Hex(want.checkSquare)) << "check box square";
  EXPECT_EQ(Hex(got.tabPage), Hex(want.tabPage)) << "tab page";
  EXPECT_EQ(Hex(got.otherTab), Hex(want.otherTab)) << "tab that is not current";
}

Look SkinnedLook(const SkinSpec& s) {
  return {s.Get(kWindowBackground), s.Get(kWindowBackground), s.Get(kEditBackground), kPromptGrey,
          s.Get(kButtonFace),       s.Get(kEditBackground),   s.Get(kWindowBackground), s.Get(kTabBackground)};
}

// A run directory holding the engine as the program extracts it.
class SkinEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ExtractEmbeddedFile(test_.ctx, SkinEngineFile());
    ASSERT_TRUE(IsFile(dir_ / "SkinH_EL.dll"));
  }
  void TearDown() override { ReleaseSkinEngine(); }

  static bool IsFile(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }

  TempDir dir_;
  TestContext test_{dir_.path()};
};

TEST_F(SkinEngineTest, ExportsAttachUndecorated) {
  HMODULE engine = LoadLibraryA((dir_ / "SkinH_EL.dll").c_str());
  ASSERT_NE(engine, nullptr);
  EXPECT_NE(GetProcAddress(engine, "SkinH_AttachEx"), nullptr);
  EXPECT_EQ(GetProcAddress(engine, "SkinH_AttachEx@8"), nullptr);
  EXPECT_EQ(GetProcAddress(engine, "_SkinH_AttachEx@8"), nullptr);
  FreeLibrary(engine);
}

struct SkinRow {
  const char* label;
  // Puts (or not) something at the skin path; returns the skin expected to
  // show, or nullptr when the default look must stay.
  std::function<const SkinSpec*(const std::string& skinPath)> prepare;
};

TEST_F(SkinEngineTest, SkinFilesAndTheLookTheyGive) {
  static const SkinSpec loud = LoudSkin();
  static SkinSpec shipped;
  ASSERT_TRUE(ParseSkinSpec(std::string(SkinFile().Content()), shipped));
  const auto write = [](const std::string& bytes) {
    return [bytes](const std::string& path) -> const SkinSpec* {
      WriteWholeFile(path, bytes);
      return nullptr;
    };
  };
  SkinSpec noText = loud, version2 = loud, badColour = loud;
  noText.entries.erase(kWindowText);
  version2.major = 2;
  badColour.entries[kButtonFace] = "\x10\x20";
  std::string flipped = loud.Bytes();
  flipped[12] ^= 0x40;
  const std::string loudBytes = loud.Bytes();

  const SkinRow rows[] = {
      {"our test skin",
       [](const std::string& path) {
         WriteWholeFile(path, loud.Bytes());
         return &loud;
       }},
      {"the shipped skin",
       [](const std::string& path) {
         WriteWholeFile(path, std::string(SkinFile().Content()));
         return &shipped;
       }},
      {"no skin file", [](const std::string&) -> const SkinSpec* { return nullptr; }},
      {"a directory of that name",
       [](const std::string& path) -> const SkinSpec* {
         CreateDirectoryA(path.c_str(), nullptr);
         return nullptr;
       }},
      {"an empty file", write("")},
      {"garbage", write(std::string("\x4d\x5a\x90\x00 not a skin at all, just bytes \xff\xfe", 36))},
      {"only the magic", write(".SHE")},
      {"cut short", write(loudBytes.substr(0, loudBytes.size() - 7))},
      {"one byte changed", write(flipped)},
      {"a later major version", write(version2.Bytes())},
      {"a required colour missing", write(noText.Bytes())},
      {"a colour of the wrong length", write(badColour.Bytes())},
  };
  for (const SkinRow& row : rows) {
    SCOPED_TRACE(row.label);
    const std::string skinPath = dir_ / "skin.she";
    RemoveTree(skinPath);
    DeleteFileA(skinPath.c_str());
    const SkinSpec* expected = row.prepare(skinPath);

    TestFrame before("SkinFrameBefore", 0, 0);
    before.Show();
    const Look plain = LookOf(before);
    const Answer promptBefore = AskColour(before.hwnd(), WM_CTLCOLORSTATIC, before.Control(kPrompt));

    ASSERT_TRUE(ApplySkin(test_.ctx));
    // A class first seen when its window is created, after the attaching.
    TestFrame after("SkinFrameAfter", 440, 0);
    after.Show();

    const Look want = expected ? SkinnedLook(*expected) : plain;
    ExpectLook(LookOf(before), want, "window made before attaching");
    ExpectLook(LookOf(after), want, "window made after attaching");

    // The frame's own answer for its prompt box passes through untouched.
    const Answer prompt = AskColour(before.hwnd(), WM_CTLCOLORSTATIC, before.Control(kPrompt));
    EXPECT_EQ(Hex(prompt.brush), Hex(promptBefore.brush));
    EXPECT_EQ(Hex(prompt.text), Hex(kPromptText));
    if (expected) {
      const Answer label = AskColour(after.hwnd(), WM_CTLCOLORSTATIC, after.Control(kLabel));
      EXPECT_EQ(Hex(label.brush), Hex(expected->Get(kWindowBackground)));
      EXPECT_EQ(Hex(label.text), Hex(expected->Get(kWindowText)));
      const Answer edit = AskColour(after.hwnd(), WM_CTLCOLOREDIT, after.Control(kEdit));
      EXPECT_EQ(Hex(edit.brush), Hex(expected->Get(kEditBackground)));
      EXPECT_EQ(Hex(edit.text), Hex(expected->Get(kEditText)));
    }

    // Unloading the engine gives every window its own look back.
    ReleaseSkinEngine();
    ExpectLook(LookOf(before), plain, "made before, after unloading");
    ExpectLook(LookOf(after), plain, "made after, after unloading");
  }
}

// The engine's drawn button follows its state: pressed, disabled, checked.
TEST_F(SkinEngineTest, DrawnControlsFollowTheirState) {
  const SkinSpec loud = LoudSkin();
  WriteWholeFile(dir_ / "skin.she", loud.Bytes());
  ASSERT_TRUE(ApplySkin(test_.ctx));
  TestFrame frame("SkinFrameState", 0, 0);
  frame.Show();
  const TestFrame::Probes p = frame.Points();
  HWND button = frame.Control(kButton);
  HWND check = frame.Control(kCheck);

  SendMessageA(button, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(Hex(Capture(frame.hwnd()).At(p.buttonFace)), Hex(loud.Get(kButtonPressed))) << "pressed";
  SendMessageA(button, BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(Hex(Capture(frame.hwnd()).At(p.buttonFace)), Hex(loud.Get(kButtonFace))) << "released";

  // The check mark crosses the square's middle.
  const POINT middle = {180 + 6, 60};
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  Redraw(frame.hwnd());
  EXPECT_EQ(Hex(Capture(frame.hwnd()).At(middle)), Hex(loud.Get(kAccent))) << "checked";
  SendMessageA(check, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(Hex(Capture(frame.hwnd()).At(middle)), Hex(loud.Get(kEditBackground))) << "unchecked";

  // A disabled box's square is framed in the disabled colour.
  EnableWindow(check, FALSE);
  Redraw(frame.hwnd());
  EXPECT_EQ(Hex(Capture(frame.hwnd()).At({180, 60})), Hex(loud.Get(kDisabledText))) << "disabled";
}

// Windows the system makes for us on this thread: a message box and the
// folder browser. A timer looks at the dialog while it is up, then closes it.
struct DialogVisit {
  COLORREF dialogBrush = CLR_INVALID;
  COLORREF corner = CLR_INVALID;
  COLORREF treeBackground = CLR_INVALID;
  bool seen = false;
};

DialogVisit* g_visit = nullptr;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found) {
  char cls[16] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd)) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK VisitDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  KillTimer(nullptr, timer);
  Redraw(dialog);
  g_visit->seen = true;
  g_visit->dialogBrush = AskColour(dialog, WM_CTLCOLORDLG, dialog).brush;
  g_visit->corner = Capture(dialog).At({2, 2});
  if (HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr))
    g_visit->treeBackground = static_cast<COLORREF>(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0));
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(SkinEngineTest, SystemDialogsAreSkinned) {
  const SkinSpec loud = LoudSkin();
  WriteWholeFile(dir_ / "skin.she", loud.Bytes());
  ASSERT_TRUE(ApplySkin(test_.ctx));

  const struct {
    const char* label;
    std::function<void()> open;
    bool hasTree;
  } rows[] = {
      {"message box", [] { MessageBoxA(nullptr, "正文", "提示", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL); }, false},
      {"folder browser",
       [] {
         BROWSEINFOA info = {};
         info.lpszTitle = "选择文件夹";
         info.ulFlags = BIF_RETURNONLYFSDIRS;
         if (LPITEMIDLIST chosen = SHBrowseForFolderA(&info)) CoTaskMemFree(chosen);
       },
       true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    DialogVisit visit;
    g_visit = &visit;
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, VisitDialog);
    row.open();
    KillTimer(nullptr, timer);
    g_visit = nullptr;
    ASSERT_TRUE(visit.seen);
    EXPECT_EQ(Hex(visit.dialogBrush), Hex(loud.Get(kWindowBackground)));
    EXPECT_EQ(Hex(visit.corner), Hex(loud.Get(kWindowBackground)));
    if (row.hasTree) {
      EXPECT_EQ(Hex(visit.treeBackground), Hex(loud.Get(kEditBackground)));
    }
  }
}

}  // namespace
