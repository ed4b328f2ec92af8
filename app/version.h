// The one source of the version numbers and texts; talvenor.rc includes it.
#pragma once

#define TALVENOR_VERSION_NUMBERS 1, 0, 1, 0
#define TALVENOR_VERSION_TEXT "1.0.1.0"
#define TALVENOR_COMPANY "Oskaran"
#define TALVENOR_PRODUCT "OskaranTalvenor"
#define TALVENOR_DESCRIPTION "加密文件夹"
#define TALVENOR_COMMENTS "Talvenor"
#define TALVENOR_EXE "Talvenor.exe"
