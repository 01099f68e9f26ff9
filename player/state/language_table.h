#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/basic/locale_language.h"  // LocaleLanguage, shared with the key map editor
#include "player/state/app_state.h"

namespace kirivane {

inline constexpr int kLangEntryCount = 361;  // entries 0..360; 360 is always empty
inline constexpr int kLangLinesRead = 360;

inline constexpr const char* kJapaneseLangFile = "japanese.lang";
inline constexpr const char* kEnglishLangFile = "English.lang";

// The language file for a language number: English for any number above 0, else Japanese.
std::string LanguageFilePath(const std::string& program_folder, int language);

// The help page in the language of the window (EnglishUI 1: English, else Japanese).
std::string HelpFilePath(const std::string& program_folder, int english_ui);

// Fills a fresh LangTable from the lines of a language file (already split, any code page
// already decoded): line i + 1 becomes entry i for the first 360 lines; backslash-n pairs
// become CR LF; empty and missing lines leave their entry empty.
void FillLangTable(const std::vector<std::string>& lines, AppState& app);

// Sets EnglishUI (1 when language > 0, else 0) and loads the matching file from the program
// folder into a fresh LangTable. The file may be UTF-8 or code page 932. Returns false, with
// every entry empty, when the file cannot be read.
bool LoadLanguage(const std::string& program_folder, int language, AppState& app);

// Loads the language's file, or the other language's file when that one cannot be read.
// Returns the language loaded (EnglishUI is set to it), or -1 when neither file can be read.
int LoadStartLanguage(const std::string& program_folder, int language, AppState& app);

// Entry n of the table; an empty text for a number outside the table.
std::string LangText(const std::vector<std::string>& table, int n);
std::string LangText(const AppState& app, int n);

// Replaces every "%1" in the text by the value (the value itself is not searched again).
std::string ReplacePlaceholder(std::string text, std::string_view value);

}  // namespace kirivane
