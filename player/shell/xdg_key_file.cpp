#include "player/shell/xdg_key_file.h"

#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"

namespace kirivane {

namespace {

bool IsHeader(std::string_view line) {
  const std::string trimmed = TrimBlanks(line);
  return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

std::string GroupName(std::string_view line) {
  const std::string trimmed = TrimBlanks(line);
  return trimmed.substr(1, trimmed.size() - 2);
}

// The key of a "key=value" line; nothing for comments and other lines.
std::optional<std::string> KeyOf(std::string_view line) {
  const std::string trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed.front() == '#') return std::nullopt;
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string::npos) return std::nullopt;
  return TrimBlanks(std::string_view(trimmed).substr(0, equals));
}

std::string ValueOf(std::string_view line) {
  return TrimBlanks(line.substr(line.find('=') + 1));
}

std::string JoinIds(const std::vector<std::string>& ids) {
  std::string value;
  for (const auto& id : ids) value += id + ";";
  return value;
}

}  // namespace

XdgKeyFile::XdgKeyFile(std::string_view contents) : lines_(SplitLines(contents)) {}

std::optional<std::size_t> XdgKeyFile::FindGroup(std::string_view group) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (IsHeader(lines_[i]) && GroupName(lines_[i]) == group) return i;
  }
  return std::nullopt;
}

std::size_t XdgKeyFile::GroupEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && !IsHeader(lines_[end])) ++end;
  return end;
}

std::optional<std::size_t> XdgKeyFile::FindKey(std::size_t header, std::string_view key,
                                               bool ignore_case) const {
  const std::size_t end = GroupEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const auto found = KeyOf(lines_[i]);
    if (!found) continue;
    if (ignore_case ? ToLowerAscii(*found) == ToLowerAscii(key) : *found == key) return i;
  }
  return std::nullopt;
}

std::optional<std::string> XdgKeyFile::Value(std::string_view group, std::string_view key) const {
  const auto header = FindGroup(group);
  if (!header) return std::nullopt;
  const auto line = FindKey(*header, key, false);
  if (!line) return std::nullopt;
  return ValueOf(lines_[*line]);
}

std::vector<std::string> XdgKeyFile::Ids(std::string_view group, std::string_view key) const {
  std::vector<std::string> ids;
  const auto header = FindGroup(group);
  if (!header) return ids;
  const auto line = FindKey(*header, key, true);
  if (!line) return ids;
  for (const auto& id : SplitKeepEmpty(ValueOf(lines_[*line]), ";")) {
    const std::string trimmed = TrimBlanks(id);
    if (!trimmed.empty()) ids.push_back(trimmed);
  }
  return ids;
}

void XdgKeyFile::Edit(
    std::string_view group, std::string_view key,
    const std::function<std::vector<std::string>(std::vector<std::string>)>& edit) {
  const auto ids = edit(Ids(group, key));
  auto header = FindGroup(group);
  if (!header) {
    if (ids.empty()) return;
    if (!lines_.empty() && !TrimBlanks(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + std::string(group) + "]");
    lines_.push_back(std::string(key) + "=" + JoinIds(ids));
    return;
  }
  if (const auto line = FindKey(*header, key, true)) {
    const auto at = lines_.begin() + static_cast<std::ptrdiff_t>(*line);
    if (ids.empty()) {
      lines_.erase(at);
      DropIfEmpty(*header);
    } else {
      *at = *KeyOf(*at) + "=" + JoinIds(ids);
    }
    return;
  }
  if (ids.empty()) return;
  std::size_t insert = GroupEnd(*header);
  while (insert > *header + 1 && TrimBlanks(lines_[insert - 1]).empty()) --insert;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert),
                std::string(key) + "=" + JoinIds(ids));
}

void XdgKeyFile::DropIfEmpty(std::size_t header) {
  const std::size_t end = GroupEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (!TrimBlanks(lines_[i]).empty()) return;
  }
  // The group goes with its blank lines and the blank line that set it apart.
  const std::size_t begin =
      header > 0 && TrimBlanks(lines_[header - 1]).empty() ? header - 1 : header;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(begin),
               lines_.begin() + static_cast<std::ptrdiff_t>(end));
}

std::string XdgKeyFile::Text() const {
  std::string text;
  for (const auto& line : lines_) text += line + "\n";
  return text;
}

}  // namespace kirivane
