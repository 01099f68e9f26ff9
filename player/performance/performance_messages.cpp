#include "player/performance/performance_messages.h"

#include "player/state/language_table.h"

namespace kirivane {

void PerformanceMessageBox::ShowMessage(const PerformanceMessage& message) {
  const std::string text =
      message.text_entry != 0
          ? ReplacePlaceholder(LangText(app_, message.text_entry), message.insert)
          : message.detail;
  std::string title = message.title_entry != 0 ? LangText(app_, message.title_entry) : "";
  if (message.title_after_app_title) title = app_.AppTitle + title;
  messages_->ShowError(text, true, title);
}

}  // namespace kirivane
