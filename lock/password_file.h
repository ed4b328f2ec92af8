// The password file mm.dat: the password's bytes as typed, nothing else.
#pragma once

#include <string>

namespace platform { class Files; }

namespace lock {

// The first line of the file: LF, NUL and 0x1A end it, a lead byte takes its
// trail byte along, one trailing CR is dropped. A file that cannot be opened
// (absent, a folder, held open by another process) reads as the empty text.
std::string ReadStoredPassword(platform::Files& files, const std::string& path);

// Creates or truncates the file and writes the password's bytes. Does
// nothing for an empty path. True only when every byte reached the file.
bool WritePasswordFile(platform::Files& files, const std::string& path,
                       const std::string& password);

}  // namespace lock
