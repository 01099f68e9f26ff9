#pragma once

#include <string>
#include <vector>

#include "player/state/messages.h"
#include "player/state/window_commands.h"

namespace kirivane::testing {

struct ShownMessage {
  std::string text;
  std::string title;
  bool critical = false;
  bool operator==(const ShownMessage&) const = default;
};

// Keeps the message boxes asked for, in order: errors (with their icon) and information.
class FakeMessages : public Messages {
 public:
  void ShowError(const std::string& text, bool critical, const std::string& title) override {
    errors.push_back({text, title, critical});
  }
  void ShowInformation(const std::string& text, const std::string& title) override {
    information.push_back({text, title, false});
  }
  std::vector<ShownMessage> errors;
  std::vector<ShownMessage> information;
};

// Logs every window command by name (with its argument where there is one), in order.
class FakeWindowCommands : public WindowCommands {
 public:
  void RestoreIfMinimized() override { calls.push_back("RestoreIfMinimized"); }
  void ApplyDisplayMode() override { calls.push_back("ApplyDisplayMode"); }
  void OpenHelp() override { calls.push_back("OpenHelp"); }
  void ShowAbout() override { calls.push_back("ShowAbout"); }
  void RebuildCaption() override { ++captions; }
  void SetKeyPreview(bool on) override { key_preview = on; }
  void ReturnFocus() override { ++focus; }
  void FitClientArea() override { calls.push_back("FitClientArea"); }
  void FormMouseDown(int button) override {
    calls.push_back("FormMouseDown " + std::to_string(button));
  }
  void CloseProgram() override { calls.push_back("CloseProgram"); }
  void DoEvents() override { ++events; }

  bool Called(const std::string& entry) const {
    for (const auto& call : calls) {
      if (call == entry) return true;
    }
    return false;
  }

  std::vector<std::string> calls;
  int captions = 0;
  bool key_preview = true;
  int focus = 0;
  int events = 0;
};

}  // namespace kirivane::testing
