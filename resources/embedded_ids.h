// Resource numbers of the files Talvenor.exe carries; embedded.rc and
// embedded.cpp both use them.
#pragma once

#define TALVENOR_RES_SKIN_ENGINE 301
#define TALVENOR_RES_SKIN_FILE 302
#define TALVENOR_RES_MOVIE 303
