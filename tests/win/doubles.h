// Small test doubles shared by the in-process tests: a recorder for the
// interactive seam and do-nothing services for the parts a test does not use.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/ui.h"

namespace testing_doubles {

struct Message {
  std::string text, title;
  ui::Icon icon;
};

class RecordingInteraction : public ui::Interaction {
 public:
  std::vector<Message> messages;
  std::vector<std::string> opened;
  std::vector<unsigned> pauses;
  std::vector<std::string> browseTitles;
  std::vector<std::string> folderAnswers;  // handed out in order; empty = cancelled

  void ShowMessage(const std::string& text, const std::string& title, ui::Icon icon) override {
    messages.push_back({text, title, icon});
  }
  std::string ChooseFolder(const std::string& title) override {
    browseTitles.push_back(title);
    if (folderAnswers.empty()) return std::string();
    std::string answer = folderAnswers.front();
    folderAnswers.erase(folderAnswers.begin());
    return answer;
  }
  void OpenFolder(const std::string& path) override { opened.push_back(path); }
  void Pause(unsigned ms) override { pauses.push_back(ms); }
};

class NullProfile : public platform::Profile {
 public:
  std::string Read(const std::string&, const std::string&, const std::string&) override { return {}; }
  bool Write(const std::string&, const std::string&, const std::string&, const std::string&) override {
    return false;
  }
};

class NullRegistry : public platform::Registry {
 public:
  bool WriteText(platform::RegistryRoot, const std::string&, const std::string&) override { return false; }
  bool Delete(platform::RegistryRoot, const std::string&) override { return false; }
};

class NullFiles : public platform::Files {
 public:
  uint32_t Attributes(const std::string&) override { return platform::kInvalidAttributes; }
  bool Exists(const std::string&) override { return false; }
  std::optional<uint64_t> FileSize(const std::string&) override { return std::nullopt; }
  bool Move(const std::string&, const std::string&) override { return false; }
  bool MoveReplace(const std::string&, const std::string&) override { return false; }
  bool Delete(const std::string&) override { return false; }
  bool ReadBlocks(const std::string&, const std::function<bool(std::string_view)>&) override { return false; }
  bool WriteAll(const std::string&, std::string_view) override { return false; }
  uint32_t LastError() override { return 0; }
};

}  // namespace testing_doubles
