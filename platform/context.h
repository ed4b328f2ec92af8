// What an operation may reach: the main window's controls, the interactive
// seam and the platform services. The program builds one Context from the
// real pieces; a test builds one from the real window and a recorder, or
// wraps a service to make a step fail.
#pragma once

#include <string>

namespace ui { class Surface; class Interaction; }
namespace platform { class Files; class Profile; class Registry; }

struct Program {
  std::string runDirectory;    // never ends in a separator: D:\lock.exe gives D:
  std::string executableName;  // the part after the last backslash
};

struct Context {
  ui::Surface& ui;
  ui::Interaction& interaction;
  platform::Files& files;
  platform::Profile& profile;
  platform::Registry& registry;
  Program program;
};
