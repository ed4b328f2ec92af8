// A fingerprint of a folder tree: every name, on disk as it is ("name."
// included), and every byte of every file. Taken before and after an
// operation, it shows whether anything was lost, added, renamed or changed.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace locktest {

struct TreeEntry {
  bool dir = false;
  uint64_t size = 0;
  uint64_t hash = 0;  // of the content; 0 for a folder
  bool readable = true;

  bool operator==(const TreeEntry& o) const {
    return dir == o.dir && size == o.size && hash == o.hash && readable == o.readable;
  }
  bool operator!=(const TreeEntry& o) const { return !(*this == o); }
};

// Relative path ("sub\\" for a folder, "sub\\a.txt" for a file) to entry,
// read through "\\?\" paths so that no name is resolved away.
using TreeManifest = std::map<std::string, TreeEntry>;

TreeManifest Manifest(const std::string& dir);

// One number for the whole manifest: names, kinds, sizes and contents.
uint64_t TreeHash(const TreeManifest& manifest);
inline uint64_t TreeHash(const std::string& dir) { return TreeHash(Manifest(dir)); }

// What differs, one line per entry ("added x", "lost y", "changed z"); empty
// when the two are the same.
std::string TreeDifference(const TreeManifest& before, const TreeManifest& after);

// The content hash TreeEntry uses, for comparing a file with known bytes.
uint64_t BytesHash(const std::string& bytes);

}  // namespace locktest
