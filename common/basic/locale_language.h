#pragma once

#include <string_view>

namespace kirivane {

// The desktop's interface language from the locale variables, read as a Linux program reads
// them: the first non-empty of LC_ALL, LC_MESSAGES and LANG names the locale. 0 (Japanese)
// for a Japanese locale ("ja", "ja_JP.UTF-8", ...), 1 (English) for any other or none.
int LocaleLanguage(std::string_view lc_all, std::string_view lc_messages, std::string_view lang);

}  // namespace kirivane
