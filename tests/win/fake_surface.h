// An in-memory control surface: what an operation wrote into the boxes, the
// check boxes' states, the current tab, where the focus went and how many
// close requests it posted. Only the main window's real control names are
// accepted, so a misspelt name fails the test instead of reading as empty.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/ui.h"

class FakeSurface : public ui::Surface {
 public:
  static constexpr const char* kMainWindow = "(main window)";

  std::map<std::string, std::string> texts;
  std::map<std::string, bool> checks;
  int tab = 0;
  std::optional<std::string> focus;  // kMainWindow for the window itself
  int closeRequests = 0;

  std::string Text(ui::Name control) override { return texts[Edit(control)]; }
  void SetText(ui::Name control, const std::string& value) override { texts[Edit(control)] = value; }

  bool Checked(ui::Name control) override { return checks[Check(control)]; }
  void SetChecked(ui::Name control, bool checked) override { checks[Check(control)] = checked; }

  int CurrentTab() override { return tab; }
  void SetCurrentTab(int index) override { tab = index < 0 ? 0 : index > 5 ? 5 : index; }

  void SetAlwaysOnTop(bool) override {}
  void SetAddress(ui::Name, const std::string&) override {}

  void SetFocus(ui::Name control) override {
    focus = control ? Known(control) : std::string(kMainWindow);
  }
  void* WindowHandle(ui::Name) override { return nullptr; }
  void Close() override { ++closeRequests; }

  bool operator==(const FakeSurface& o) const {
    return Filled(texts) == Filled(o.texts) && Checked(checks) == Checked(o.checks) &&
           tab == o.tab && focus == o.focus && closeRequests == o.closeRequests;
  }

 private:
  static const std::set<std::string>& EditBoxes() {
    static const std::set<std::string> names = {
        "编辑框1", "编辑框2", "加密_路径", "加密_内容", "加密_密码", "加密_密码2",
        "解密_路径", "解密_内容", "解密_密码", "改密_路径", "改密_内容1", "改密_1", "改密_2"};
    return names;
  }
  static const std::set<std::string>& CheckBoxes() {
    static const std::set<std::string> names = {"选择框1", "选择框2", "选择框3", "选择框4"};
    return names;
  }
  static const std::set<std::string>& Others() {
    static const std::set<std::string> names = {
        "选择夹1", "开始_按钮", "标签1", "加密_按钮", "透明标签1", "透明标签2", "按钮3",
        "拖放对象1", "解密_按钮", "透明标签3", "按钮1", "改密_按钮", "透明标签4",
        "透明标签5", "按钮2", "超文本浏览框1"};
    return names;
  }
  static std::string Edit(ui::Name control) { return Expect(EditBoxes(), control, "edit box"); }
  static std::string Check(ui::Name control) { return Expect(CheckBoxes(), control, "check box"); }
  static std::string Known(ui::Name control) {
    const std::string name = control;
    if (!EditBoxes().count(name) && !CheckBoxes().count(name) && !Others().count(name)) {
      ADD_FAILURE() << "no control named " << name;
    }
    return name;
  }
  static std::string Expect(const std::set<std::string>& names, ui::Name control, const char* kind) {
    const std::string name = control ? control : "";
    if (!names.count(name)) ADD_FAILURE() << "no " << kind << " named " << name;
    return name;
  }
  // An empty box and one never written, an unchecked box and one never set,
  // look the same to a user.
  static std::map<std::string, std::string> Filled(const std::map<std::string, std::string>& m) {
    std::map<std::string, std::string> out;
    for (const auto& [k, v] : m) {
      if (!v.empty()) out[k] = v;
    }
    return out;
  }
  static std::map<std::string, bool> Checked(const std::map<std::string, bool>& m) {
    std::map<std::string, bool> out;
    for (const auto& [k, v] : m) {
      if (v) out[k] = v;
    }
    return out;
  }
};
