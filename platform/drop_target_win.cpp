#include "platform/drop_target.h"

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <vector>

#include "platform/drop_effect.h"

namespace platform {
namespace {

class FileDropTarget final : public IDropTarget {
 public:
  explicit FileDropTarget(GotFile gotFile) : gotFile_(std::move(gotFile)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL, DWORD* effect) override {
    acceptable_ = OffersFileList(data);
    if (effect) *effect = DropEffect(acceptable_, keys, *effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL, DWORD* effect) override {
    if (effect) *effect = DropEffect(acceptable_, keys, *effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    acceptable_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) override {
    const bool acceptable = OffersFileList(data);
    const DWORD allowed = effect ? *effect : 0;
    acceptable_ = false;
    if (DropEffect(acceptable, keys, allowed) != kEffectNone) {
      std::string text;
      if (ReadPaths(data, &text) && gotFile_) gotFile_(text);
    }
    // The source must neither move nor copy anything.
    if (effect) *effect = DROPEFFECT_NONE;
    return E_FAIL;
  }

 private:
  static FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

  static bool OffersFileList(IDataObject* data) {
    if (!data) return false;
    FORMATETC format = FileListFormat();
    return data->QueryGetData(&format) == S_OK;
  }

  // One path alone; several each followed by CR LF.
  static bool ReadPaths(IDataObject* data, std::string* text) {
    FORMATETC format = FileListFormat();
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != S_OK) return false;
    bool ok = false;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
      HDROP drop = static_cast<HDROP>(GlobalLock(medium.hGlobal));
      if (drop) {
        const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        std::vector<std::string> paths;
        for (UINT i = 0; i < count; ++i) {
          const UINT n = DragQueryFileA(drop, i, nullptr, 0);
          std::string path(n + 1, '\0');
          const UINT got = DragQueryFileA(drop, i, &path[0], n + 1);
          path.resize(got);
          paths.push_back(path);
        }
        GlobalUnlock(medium.hGlobal);
        if (paths.size() == 1) {
          *text = paths[0];
        } else {
          for (const std::string& p : paths) *text += p + "\r\n";
        }
        ok = !paths.empty();
      }
    }
    ReleaseStgMedium(&medium);
    return ok;
  }

  LONG refs_ = 1;
  bool acceptable_ = false;
  GotFile gotFile_;
};

HWND g_registeredOn = nullptr;

}  // namespace

bool RegisterFileDropTarget(void* window, GotFile gotFile) {
  if (g_registeredOn) return false;
  FileDropTarget* target = new FileDropTarget(std::move(gotFile));
  const HRESULT hr = RegisterDragDrop(static_cast<HWND>(window), target);
  target->Release();  // OLE keeps its own reference while registered
  if (FAILED(hr)) return false;
  g_registeredOn = static_cast<HWND>(window);
  return true;
}

void RevokeFileDropTarget() {
  if (g_registeredOn) RevokeDragDrop(g_registeredOn);
  g_registeredOn = nullptr;
}

void* CreateFileDropTarget(GotFile gotFile) {
  return static_cast<IDropTarget*>(new FileDropTarget(std::move(gotFile)));
}

}  // namespace platform
