#include "player/settings/ini_file.h"

#include <algorithm>
#include <climits>

#include "common/basic/text_file.h"

namespace kirivane {

namespace {

// The text without the blanks (spaces and tabs) around it, as a view into the same text.
std::string_view Trimmed(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(begin, end - begin);
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The name of a section header line "[name]", or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view trimmed = Trimmed(line);
  if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
  const std::size_t close = trimmed.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trimmed.substr(1, close - 1);
}

bool IsKeyLine(std::string_view line) {
  const std::string_view trimmed = Trimmed(line);
  return !trimmed.empty() && trimmed.front() != ';' && trimmed.find('=') != std::string_view::npos;
}

// The value is cut (at a NUL, to the reader's limit) before its blanks are removed, so that no
// cut leaves a blank at its end: what is read is written back and read again the same.
std::string ValueOf(std::string_view line) {
  std::string_view value = line.substr(line.find('=') + 1);
  value = value.substr(0, std::min(value.find('\0'), value.size()));
  value = Trimmed(value);
  return std::string(Trimmed(value.substr(0, kIniValueLimit)));
}

}  // namespace

std::string_view ValueLine(std::string_view value) {
  const std::size_t end = value.find('\n');
  if (end == std::string_view::npos) return value;
  return value.substr(0, end > 0 && value[end - 1] == '\r' ? end - 1 : end);
}

IniFile::IniFile(std::string_view contents) : lines_(SplitLines(contents)) {
  names_.reserve(lines_.size());
  for (const std::string& line : lines_) names_.push_back(NameOf(line));
}

IniFile::LineName IniFile::NameOf(std::string_view line) {
  if (const auto section = SectionName(line))
    return {LineName::kSection, LowerAscii(Trimmed(*section))};
  if (IsKeyLine(line)) return {LineName::kKey, LowerAscii(Trimmed(line.substr(0, line.find('='))))};
  return {Trimmed(line).empty() ? LineName::kBlank : LineName::kOther, std::string()};
}

void IniFile::SetLine(std::size_t index, std::string line) {
  names_[index] = NameOf(line);
  lines_[index] = std::move(line);
}

void IniFile::InsertLine(std::size_t index, std::string line) {
  const auto at = static_cast<std::ptrdiff_t>(index);
  names_.insert(names_.begin() + at, NameOf(line));
  lines_.insert(lines_.begin() + at, std::move(line));
}

std::optional<std::size_t> IniFile::FindSection(std::string_view section) const {
  const std::string name = LowerAscii(Trimmed(section));
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].kind == LineName::kSection && names_[i].name == name) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(std::size_t header, std::string_view key) const {
  const std::string name = LowerAscii(Trimmed(key));
  for (std::size_t i = header + 1; i < names_.size(); ++i) {
    if (names_[i].kind == LineName::kSection) break;
    if (names_[i].kind == LineName::kKey && names_[i].name == name) return i;
  }
  return std::nullopt;
}

std::size_t IniFile::SectionInsertPoint(std::size_t header) const {
  std::size_t insert = header + 1;
  for (std::size_t i = header + 1; i < names_.size(); ++i) {
    if (names_[i].kind == LineName::kSection) break;
    if (names_[i].kind != LineName::kBlank) insert = i + 1;
  }
  return insert;
}

std::optional<std::string> IniFile::ReadString(std::string_view section,
                                               std::string_view key) const {
  auto header = FindSection(section);
  if (!header) return std::nullopt;
  auto line = FindKey(*header, key);
  if (!line) return std::nullopt;
  return ValueOf(lines_[*line]);
}

std::optional<int> IniFile::ReadInt(std::string_view section, std::string_view key,
                                    int default_value) const {
  auto value = ReadString(section, key);
  if (!value || value->empty()) return default_value;
  std::size_t pos = 0;
  bool negative = false;
  if ((*value)[0] == '-') {
    negative = true;
    pos = 1;
  }
  long long number = 0;
  for (; pos < value->size() && (*value)[pos] >= '0' && (*value)[pos] <= '9'; ++pos) {
    number = number * 10 + ((*value)[pos] - '0');
    if (number > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) number = -number;
  if (number > INT_MAX || number < INT_MIN) return std::nullopt;
  return static_cast<int>(number);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  value = ValueLine(value);
  auto header = FindSection(section);
  if (!header) {
    if (!names_.empty() && names_.back().kind != LineName::kBlank) InsertLine(lines_.size(), "");
    InsertLine(lines_.size(), "[" + std::string(section) + "]");
    InsertLine(lines_.size(), std::string(key) + "=" + std::string(value));
    return;
  }
  if (auto line = FindKey(*header, key)) {
    const std::string& old = lines_[*line];
    SetLine(*line, old.substr(0, old.find('=') + 1) + std::string(value));
    return;
  }
  InsertLine(SectionInsertPoint(*header), std::string(key) + "=" + std::string(value));
}

void IniFile::WriteInt(std::string_view section, std::string_view key, long long value) {
  WriteString(section, key, std::to_string(value));
}

std::string IniFile::Text() const {
  return JoinLinesCrLf(lines_);
}

}  // namespace kirivane
