// The three files Talvenor.exe carries (as RCDATA resources, see
// embedded.cmake) and their extraction into the run directory.
#pragma once

#include <string_view>

struct Context;

struct EmbeddedFile {
  const char* tail;  // "\SkinH_EL.dll": begins with the path's only separator
  int resource;      // RCDATA number in the executable
  // The carried bytes; empty only in a build that lacks the resource.
  std::string_view Content() const;
};

const EmbeddedFile& SkinEngineFile();  // \SkinH_EL.dll
const EmbeddedFile& SkinFile();        // \skin.she
const EmbeddedFile& MovieFile();       // \gy.swf

// Writes the file into the run directory unless something of that name
// (a file of any content, or a directory) is already there. Nothing is
// reported: a failed write leaves the next step to cope with the missing file.
void ExtractEmbeddedFile(Context& ctx, const EmbeddedFile& file);
