#pragma once

#include <string>

#include "player/state/app_state.h"
#include "player/state/messages.h"
#include "player/state/view_slot.h"

namespace kirivane {

// A message about the performance for the window to show in its error message box. Texts are
// language entries; core never opens a dialog.
struct PerformanceMessage {
  int text_entry = 0;   // language entry of the text; 0: no entry names it, show `detail`
  int title_entry = 0;  // language entry of the title (0: the program title alone)
  bool title_after_app_title = true;  // title = AppTitle followed by title_entry
  std::string insert;                 // replaces "%1" in the text
  std::string detail;                 // the same fault in plain English, for logs and the converter

  bool operator==(const PerformanceMessage&) const = default;
};

// Language entries of the performance messages.
inline constexpr int kEntryFileErrorTitle = 320;
inline constexpr int kEntryTimeLimitTitle = 325;
inline constexpr int kEntryTimeLimitText = 326;
inline constexpr int kEntryEventLimitTitle = 329;
inline constexpr int kEntryEventLimitText = 330;
inline constexpr int kEntryNoImportChannel = 337;
inline constexpr int kEntryUnsupportedVersion = 338;
inline constexpr int kEntryReadError = 341;
inline constexpr int kEntryUnsupportedMidiFormat = 342;

// Where the recorder and the file code send their messages.
class PerformanceNotices {
 public:
  virtual ~PerformanceNotices() = default;
  virtual void ShowMessage(const PerformanceMessage& message) = 0;
};

// Shows performance messages in the error message box, their texts and titles taken from the
// language table.
class PerformanceMessageBox : public PerformanceNotices {
 public:
  explicit PerformanceMessageBox(const AppState& app) : app_(app) {}
  void SetMessages(Messages* messages) { messages_.Set(messages); }
  void ShowMessage(const PerformanceMessage& message) override;

 private:
  const AppState& app_;
  ViewSlot<Messages> messages_;
};

}  // namespace kirivane
