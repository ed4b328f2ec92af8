#include "lock/password_file.h"

#include "lock/first_line.h"
#include "platform/files.h"

namespace lock {

std::string ReadStoredPassword(platform::Files& files, const std::string& path) {
  FirstLineScanner scanner;
  const bool read =
      files.ReadBlocks(path, [&scanner](std::string_view block) { return scanner.Feed(block); });
  return read ? scanner.Line() : std::string();
}

bool WritePasswordFile(platform::Files& files, const std::string& path,
                       const std::string& password) {
  if (path.empty()) return false;
  return files.WriteAll(path, password);
}

}  // namespace lock
