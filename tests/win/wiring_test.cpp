// The Enter key, the drop target and the browse buttons, through the real
// main window and the real folder-locking operations.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "doubles.h"
#include "platform/drop_effect.h"
#include "platform/drop_target.h"
#include "platform/files.h"
#include "platform/window.h"

namespace {

using testing_doubles::NullProfile;
using testing_doubles::NullRegistry;
using testing_doubles::RecordingInteraction;

// A data object as a drag source hands it over: CF_HDROP with ANSI paths, or
// plain text only.
class DataObject final : public IDataObject {
 public:
  static DataObject* Files(const std::vector<std::string>& paths) {
    auto* d = new DataObject();
    d->format_ = CF_HDROP;
    d->paths_ = paths;
    return d;
  }
  static DataObject* Text(const std::string& text) {
    auto* d = new DataObject();
    d->format_ = CF_TEXT;
    d->paths_ = {text};
    return d;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG n = --refs_;
    if (!n) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    ++reads;
    std::string payload;
    if (format_ == CF_HDROP) {
      DROPFILES header{};
      header.pFiles = sizeof(DROPFILES);
      header.fWide = FALSE;
      payload.assign(reinterpret_cast<const char*>(&header), sizeof(header));
      for (const std::string& p : paths_) payload += p + '\0';
      payload += '\0';
    } else {
      payload = paths_[0] + '\0';
    }
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, payload.size());
    std::memcpy(GlobalLock(g), payload.data(), payload.size());
    GlobalUnlock(g);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = g;
    m->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    return f && f->cfFormat == format_ && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  int reads = 0;

 private:
  ULONG refs_ = 1;
  CLIPFORMAT format_ = CF_HDROP;
  std::vector<std::string> paths_;
};

struct DropFixture : ::testing::Test {
  std::vector<std::string> got;
  IDropTarget* target = nullptr;
  void SetUp() override {
    target = static_cast<IDropTarget*>(platform::CreateFileDropTarget([this](const std::string& t) { got.push_back(t); }));
  }
  void TearDown() override { target->Release(); }

  // Enters and drops with the given keys and allowed effects; returns the
  // drop's result and the effect it reports back.
  HRESULT Drop(DataObject* data, DWORD keys, DWORD allowed, DWORD* effect) {
    DWORD e = allowed;
    target->DragEnter(data, keys, POINTL{10, 10}, &e);
    *effect = allowed;
    return target->Drop(data, keys, POINTL{10, 10}, effect);
  }
};

TEST_F(DropFixture, OnePathTwoPathsAndAChinesePath) {
  struct Case {
    std::vector<std::string> paths;
    std::string text;
  } cases[] = {
      {{"C:\\data\\private"}, "C:\\data\\private"},
      {{"C:\\a", "C:\\b"}, "C:\\a\r\nC:\\b\r\n"},
      {{"C:\\私人资料\\文档"}, "C:\\私人资料\\文档"},
  };
  for (const Case& c : cases) {
    got.clear();
    DataObject* data = DataObject::Files(c.paths);
    DWORD effect = 0;
    // The source is told the drop failed and that nothing was moved or copied.
    EXPECT_EQ(Drop(data, 0, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), E_FAIL);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], c.text);
    data->Release();
  }
}

TEST_F(DropFixture, TextIsRefused) {
  DataObject* data = DataObject::Text("C:\\data");
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  target->DragEnter(data, 0, POINTL{0, 0}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  DWORD dropEffect = DROPEFFECT_COPY;
  EXPECT_EQ(target->Drop(data, 0, POINTL{0, 0}, &dropEffect), E_FAIL);
  EXPECT_TRUE(got.empty());
  EXPECT_EQ(data->reads, 0);
  data->Release();
}

TEST_F(DropFixture, EffectFromKeysAndAllowedEffects) {
  const DWORD C = DROPEFFECT_COPY, M = DROPEFFECT_MOVE, L = DROPEFFECT_LINK, N = DROPEFFECT_NONE;
  const DWORD ctrl = MK_CONTROL, shift = MK_SHIFT;
  struct Row {
    DWORD keys, allowed, shown;
  } rows[] = {
      {0, C | M | L, C}, {0, M | L, M}, {0, L, L}, {0, N, N},
      {ctrl, C | M | L, C}, {ctrl, M | L, N},
      {shift, C | M | L, M}, {shift, C | L, N},
      {ctrl | shift, C | M | L, N},
  };
  DataObject* data = DataObject::Files({"C:\\x"});
  for (const Row& r : rows) {
    DWORD effect = r.allowed;
    target->DragEnter(data, r.keys, POINTL{0, 0}, &effect);
    EXPECT_EQ(effect, r.shown) << "keys " << r.keys << " allowed " << r.allowed;
    effect = r.allowed;
    target->DragOver(r.keys, POINTL{1, 1}, &effect);
    EXPECT_EQ(effect, r.shown) << "over: keys " << r.keys << " allowed " << r.allowed;
    got.clear();
    DWORD dropEffect = 0;
    Drop(data, r.keys, r.allowed, &dropEffect);
    EXPECT_EQ(got.size(), r.shown == N ? 0u : 1u) << "drop: keys " << r.keys << " allowed " << r.allowed;
  }
  target->DragLeave();
  data->Release();
}

// ---- the real window ------------------------------------------------------

std::string TempDir() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  // No dot anywhere: a dot in the path would send every folder to the unlock tab.
  for (unsigned n = GetTickCount();; ++n) {
    const std::string dir = std::string(base) + "wiring" + std::to_string(n);
    if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
  }
}

struct WindowFixture : ::testing::Test {
  RecordingInteraction interaction;
  NullProfile profile;
  NullRegistry registry;
  app::MainWindow window{Program{"C:\\t", "Talvenor.exe"},
                         app::Services{interaction, platform::RealFiles(), profile, registry}};
  std::string root;
  void SetUp() override {
    root = TempDir();
    ASSERT_TRUE(window.Load({}, true));
    window.wiring().RegisterEnterHotkey();
    Activate(Main());
  }
  void TearDown() override {
    platform::RevokeFileDropTarget();
    window.window().Destroy();
    platform::PumpMessages();
  }
  HWND Main() { return static_cast<HWND>(window.window().WindowHandle(nullptr)); }
  void Activate(HWND w) {
    SetForegroundWindow(w);
    SetActiveWindow(w);
    platform::PumpMessages();
  }
  std::string Folder(const char* name) {
    const std::string p = root + "\\" + name;
    CreateDirectoryA(p.c_str(), nullptr);
    return p;
  }
  ui::Surface& ui() { return window.window(); }
};

TEST_F(WindowFixture, DropTargetRegistersOnce) {
  EXPECT_TRUE(platform::RegisterFileDropTarget(Main(), [](const std::string&) {}));
  EXPECT_FALSE(platform::RegisterFileDropTarget(Main(), [](const std::string&) {}));
}

TEST_F(WindowFixture, BrowseRoutesTheChosenFolder) {
  const std::string folder = Folder("private");
  interaction.folderAnswers = {folder};
  window.Click("加密_按钮");
  ASSERT_EQ(interaction.browseTitles.size(), 1u);
  EXPECT_EQ(interaction.browseTitles[0], "请选择文件夹");
  EXPECT_EQ(window.wiring().LastChosenPath(), folder);
  EXPECT_EQ(ui().Text("编辑框1"), folder);  // the start tab's box, whatever tab the button is on
  EXPECT_EQ(ui().CurrentTab(), 1);
  EXPECT_EQ(ui().Text("加密_路径"), folder);
}

TEST_F(WindowFixture, CancelledBrowseChangesNothing) {
  interaction.folderAnswers = {"C:\\first"};
  window.Click("开始_按钮");
  const std::string before = ui().Text("编辑框1");
  const int tab = ui().CurrentTab();
  interaction.folderAnswers = {};
  window.Click("开始_按钮");
  EXPECT_EQ(window.wiring().LastChosenPath(), "");
  EXPECT_EQ(ui().Text("编辑框1"), before);
  EXPECT_EQ(ui().CurrentTab(), tab);
}

TEST_F(WindowFixture, DriveRootFromTheBrowserIsRouted) {
  interaction.folderAnswers = {"C:\\"};
  window.Click("解密_按钮");
  EXPECT_EQ(ui().Text("编辑框1"), "C:\\");
  EXPECT_EQ(ui().CurrentTab(), 1);
  EXPECT_EQ(ui().Text("加密_路径"), "C:\\");
}

TEST_F(WindowFixture, ChangeTabBrowseWithoutADotRoutes) {
  const std::string folder = Folder("plain");
  ui().SetCurrentTab(3);
  ui().SetText("改密_路径", "kept");
  interaction.folderAnswers = {folder};
  window.Click("改密_按钮");
  EXPECT_EQ(ui().CurrentTab(), 1);
  EXPECT_EQ(ui().Text("改密_路径"), "kept");
  EXPECT_EQ(ui().Text("编辑框1"), "");
}

TEST_F(WindowFixture, ChangeTabBrowseWithADotStays) {
  ui().SetCurrentTab(3);
  const std::string locked = root + "\\secret.";
  interaction.folderAnswers = {locked};
  window.Click("改密_按钮");
  EXPECT_EQ(ui().CurrentTab(), 3);
  EXPECT_EQ(ui().Text("编辑框1"), locked);
  EXPECT_EQ(ui().Text("改密_路径"), locked);
  EXPECT_EQ(ui().Text("改密_内容1"), "请输入 " + locked + " 的原始密码和新密码完成改密工作");
}

void PressEnter() {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = VK_RETURN;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
  for (int i = 0; i < 10; ++i) {
    Sleep(20);
    platform::PumpMessages();
  }
}

bool EnterIsFree() {
  if (!RegisterHotKey(nullptr, 7, 0, VK_RETURN)) return false;
  UnregisterHotKey(nullptr, 7);
  return true;
}

TEST_F(WindowFixture, EnterRunsTheCurrentTabsOperation) {
  ASSERT_TRUE(window.wiring().HotkeyRegistered());
  struct Row {
    int tab;
    const char* message;  // nullptr: nothing runs
  } rows[] = {
      {1, "请检查您输入的密码是否有误"},
      {2, "请重新选择解密文件夹路径"},
      {0, nullptr},
      {4, nullptr},
      {5, nullptr},
  };
  for (const Row& r : rows) {
    interaction.messages.clear();
    ui().SetCurrentTab(r.tab);
    Activate(Main());
    PressEnter();
    if (r.message) {
      ASSERT_EQ(interaction.messages.size(), 1u) << "tab " << r.tab;
      EXPECT_EQ(interaction.messages[0].text, r.message) << "tab " << r.tab;
    } else {
      EXPECT_TRUE(interaction.messages.empty()) << "tab " << r.tab;
    }
  }
}

TEST_F(WindowFixture, TheHotkeyIsHeldOnlyWhileTheWindowIsActive) {
  EXPECT_FALSE(EnterIsFree());
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  Activate(other);
  EXPECT_FALSE(window.wiring().HotkeyRegistered());
  EXPECT_TRUE(EnterIsFree());
  // Enter typed into the other window reaches nothing of ours.
  ui().SetCurrentTab(1);
  Activate(other);
  PressEnter();
  EXPECT_TRUE(interaction.messages.empty());
  DestroyWindow(other);
  Activate(Main());
  EXPECT_TRUE(window.wiring().HotkeyRegistered());
  EXPECT_FALSE(EnterIsFree());
}

TEST_F(WindowFixture, ExitCallbackReleasesTheLastChosenPath) {
  interaction.folderAnswers = {"C:\\x"};
  window.Click("开始_按钮");
  window.wiring().ReleaseLastChosenPath();
  EXPECT_EQ(window.wiring().LastChosenPath(), "");
}

}  // namespace
