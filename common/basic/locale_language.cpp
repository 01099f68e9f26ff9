#include "common/basic/locale_language.h"

namespace kirivane {

int LocaleLanguage(std::string_view lc_all, std::string_view lc_messages, std::string_view lang) {
  std::string_view locale = lc_all;
  if (locale.empty()) locale = lc_messages;
  if (locale.empty()) locale = lang;
  // The language is the locale name up to its territory, code set or modifier.
  return locale.substr(0, locale.find_first_of("_.@")) == "ja" ? 0 : 1;
}

}  // namespace kirivane
