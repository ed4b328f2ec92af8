// File-system operations the program uses, behind one interface so that a
// test can make a single step fail where Wine cannot be made to fail it.
// The real implementation (files_win.cpp) is a thin layer over the A
// functions: paths are code page 936 byte strings and reach Windows path
// resolution unchanged.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

constexpr uint32_t kInvalidAttributes = 0xFFFFFFFFu;
constexpr uint32_t kAttributeDirectory = 0x10u;

class Files {
 public:
  virtual ~Files() = default;

  // GetFileAttributesA; kInvalidAttributes when the query fails.
  virtual uint32_t Attributes(const std::string& path) = 0;

  // FindFirstFileA succeeds on the path (a directory of that name counts).
  virtual bool Exists(const std::string& path) = 0;

  // The size of the file FindFirstFileA finds at the path, without opening
  // it (so a file another process holds open still answers); nullopt when
  // nothing is there or the entry is a directory.
  virtual std::optional<uint64_t> FileSize(const std::string& path) = 0;

  // MoveFileA.
  virtual bool Move(const std::string& from, const std::string& to) = 0;

  // MoveFileExA with MOVEFILE_REPLACE_EXISTING: `to` is replaced in one step.
  virtual bool MoveReplace(const std::string& from, const std::string& to) = 0;

  // DeleteFileA.
  virtual bool Delete(const std::string& path) = 0;

  // Opens the file for reading without sharing (OPEN_EXISTING) and hands its
  // content to `consume` block by block until that returns false or the file
  // ends. False when the file cannot be opened or a read fails.
  virtual bool ReadBlocks(const std::string& path,
                          const std::function<bool(std::string_view block)>& consume) = 0;

  // Creates or truncates the file (CREATE_ALWAYS, no sharing) and writes all
  // of `content`. True only when every byte was written and the file closed.
  virtual bool WriteAll(const std::string& path, std::string_view content) = 0;

  // Last Windows error code of the most recent failed call (GetLastError).
  virtual uint32_t LastError() = 0;
};

Files& RealFiles();

}  // namespace platform
