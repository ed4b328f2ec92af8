// What the operations share: the controls they address, the two message
// titles, and the tests that decide which folders they may act on.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"
#include "platform/ui.h"

struct Context;

namespace lock {

namespace control {
inline constexpr ui::Name kLockPath = "加密_路径";
inline constexpr ui::Name kLockPrompt = "加密_内容";
inline constexpr ui::Name kLockPassword = "加密_密码";
inline constexpr ui::Name kLockConfirm = "加密_密码2";
inline constexpr ui::Name kUnlockPath = "解密_路径";
inline constexpr ui::Name kUnlockPrompt = "解密_内容";
inline constexpr ui::Name kUnlockPassword = "解密_密码";
inline constexpr ui::Name kOpenAfterUnlock = "选择框1";
inline constexpr ui::Name kExitAfterSuccess = "选择框4";
inline constexpr ui::Name kChangePath = "改密_路径";
inline constexpr ui::Name kChangeOld = "改密_1";
inline constexpr ui::Name kChangeNew = "改密_2";
inline constexpr ui::Name kChangePrompt = "改密_内容1";
}  // namespace control

inline constexpr int kLockTab = 1;
inline constexpr int kUnlockTab = 2;

inline constexpr const char* kNotice = "提示";
inline constexpr const char* kNoticeDots = "提示..";

inline bool IsDirectory(uint32_t attributes) {
  return attributes != platform::kInvalidAttributes &&
         (attributes & platform::kAttributeDirectory) != 0;
}

// A locked path whose folder is really there: it ends in the dot the shell
// appends, it restores to a plain name, its password file's path fits, and
// L + ".\" is a directory. Anything else (an ordinary folder with a dot in
// its path, a folder holding its own mm.dat) must not be renamed or have
// its mm.dat replaced or deleted.
bool IsLockedFolder(platform::Files& files, const std::string& locked);

// After a successful lock or unlock: the exit option closes the program
// after a pause long enough to read the result.
void ExitIfAsked(Context& ctx);

}  // namespace lock
