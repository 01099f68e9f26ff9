#pragma once

#include <string>

namespace kirivane {

// The message boxes of the player; texts arrive ready to show (from the language table). The
// window implements it; core never opens a dialog.
class Messages {
 public:
  virtual ~Messages() = default;
  // The error message box: the face picture beside the text, with the critical or the
  // information icon, titled AppTitle unless a title is given.
  virtual void ShowError(const std::string& /*text*/, bool /*critical*/,
                         const std::string& /*title*/ = {}) {}
  // A plain information box.
  virtual void ShowInformation(const std::string& /*text*/, const std::string& /*title*/) {}
};

}  // namespace kirivane
