// The path texts of a locked folder. A folder P is locked by renaming it to
// P + "..\": Windows drops one dot from a component that a backslash follows,
// so its name on disk becomes its old name plus one dot, and the shell then
// reports it as the locked path L = P + ".". Any use of L itself resolves
// back to P (the final component loses all trailing dots), which no longer
// exists; only L + ".\" reaches the folder. Texts are joined as they are:
// nothing here adds, removes or normalises a separator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lock {

// X + "\mm.dat": the password file a folder at X would hold.
std::string PasswordFileIn(std::string_view folder);

// P + "..\": the rename target that locks the folder P.
std::string LockTarget(std::string_view unlocked);
// P + "..\mm.dat": the password file of P once it is locked.
std::string LockedPasswordFile(std::string_view unlocked);

// L + ".\": the locked folder itself, reached from its locked path.
std::string LockedFolder(std::string_view locked);
// L + ".\mm.dat": the same file as LockedPasswordFile of the unlocked path.
std::string PasswordFileOfLocked(std::string_view locked);
// L without its last byte: the folder's unlocked path.
std::string RestoredPath(std::string_view locked);

// The last byte is a dot (never the trail byte of a two-byte character).
bool EndsInDot(std::string_view path);

// The last component is a name that Windows resolves to itself: not empty
// (a drive root, a trailing backslash) and not ending in a dot or a blank,
// which resolution would strip. Only such a folder can be locked and
// restored under the same name.
bool HasPlainLastName(std::string_view path);

// The A file functions take at most MAX_PATH characters, the terminating
// zero included; a two-byte character counts as one.
constexpr size_t kMaxPathCharacters = 259;
size_t CharacterCount(std::string_view path);
bool FitsMaxPath(std::string_view path);

}  // namespace lock
