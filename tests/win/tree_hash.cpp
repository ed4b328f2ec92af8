#include "tree_hash.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "lock_fixture.h"

namespace locktest {
namespace {

// 64-bit FNV-1a: enough to tell trees apart, and needs no library.
class Fnv {
 public:
  void Add(const void* data, size_t n) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < n; ++i) {
      h_ ^= p[i];
      h_ *= 0x100000001b3ull;
    }
  }
  void Add(const std::string& s) {
    Add(s.data(), s.size());
    Add("", 1);  // a separator, so that "ab"+"c" differs from "a"+"bc"
  }
  void Add(uint64_t v) { Add(&v, sizeof v); }
  uint64_t value() const { return h_; }

 private:
  uint64_t h_ = 0xcbf29ce484222325ull;
};

void HashFile(const std::string& path, TreeEntry& entry) {
  HANDLE h = CreateFileW(Exact(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    entry.readable = false;
    return;
  }
  Fnv fnv;
  static char buffer[1 << 16];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    fnv.Add(buffer, got);
    entry.size += got;
  }
  CloseHandle(h);
  entry.hash = fnv.value();
}

void Walk(const std::string& dir, const std::string& prefix, TreeManifest& out) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((Exact(dir) + L"\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return;
  std::vector<std::pair<std::string, bool>> entries;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.emplace_back(Narrow(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileW(h, &data));
  FindClose(h);
  for (const auto& [name, isDir] : entries) {
    const std::string full = dir + "\\" + name;
    if (isDir) {
      TreeEntry& e = out[prefix + name + "\\"];
      e.dir = true;
      Walk(full, prefix + name + "\\", out);
    } else {
      HashFile(full, out[prefix + name]);
    }
  }
}

}  // namespace

TreeManifest Manifest(const std::string& dir) {
  TreeManifest out;
  Walk(dir, "", out);
  return out;
}

uint64_t TreeHash(const TreeManifest& manifest) {
  Fnv fnv;
  for (const auto& [name, e] : manifest) {
    fnv.Add(name);
    fnv.Add(uint64_t{e.dir} | uint64_t{e.readable} << 1);
    fnv.Add(e.size);
    fnv.Add(e.hash);
  }
  return fnv.value();
}

uint64_t BytesHash(const std::string& bytes) {
  Fnv fnv;
  fnv.Add(bytes.data(), bytes.size());
  return fnv.value();
}

std::string TreeDifference(const TreeManifest& before, const TreeManifest& after) {
  std::string out;
  for (const auto& [name, e] : before) {
    const auto it = after.find(name);
    if (it == after.end()) {
      out += "lost " + name + "\n";
    } else if (it->second != e) {
      out += "changed " + name + " (" + std::to_string(e.size) + " -> " +
             std::to_string(it->second.size) + " bytes)\n";
    }
  }
  for (const auto& [name, e] : after) {
    if (!before.count(name)) out += "added " + name + "\n";
  }
  return out;
}

}  // namespace locktest
