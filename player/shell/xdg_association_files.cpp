#include "player/shell/xdg_association_files.h"

#include <algorithm>
#include <filesystem>

#include "common/basic/code_page.h"
#include "common/basic/text_rules.h"
#include "player/shell/xdg_key_file.h"

namespace kirivane {

namespace {

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// Absolute entries of a colon-separated list, without trailing slashes.
std::vector<std::string> AbsolutePaths(std::string_view list) {
  std::vector<std::string> paths;
  for (std::string path : SplitKeepEmpty(list, ":")) {
    if (path.empty() || path.front() != '/') continue;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    paths.push_back(path);
  }
  return paths;
}

// A single folder from the environment: used when absolute, else the fallback.
std::string AbsoluteOr(std::string value, const std::string& fallback) {
  if (value.empty() || value.front() != '/') return fallback;
  while (value.size() > 1 && value.back() == '/') value.pop_back();
  return value;
}

// A desktop entry value: backslashes doubled, line breaks made blanks.
std::string EscapeValue(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\r' || c == '\n' || c == '\t') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
      out += c;
    }
  }
  return TrimBlanks(out);
}

std::string UnescapeValue(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    switch (next) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        out += next;
        break;
    }
  }
  return out;
}

// One Exec argument in double quotes: the characters the rules reserve inside quotes get a
// backslash, and a percent sign is doubled so it is no field code.
std::string QuotedExecArgument(std::string_view argument) {
  std::string out = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '%') {
      out += "%%";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string WithoutDoublePercent(std::string text) {
  std::size_t at = 0;
  while ((at = text.find("%%", at)) != std::string::npos) text.erase(at++, 1);
  return text;
}

std::string Normal(const std::string& path) {
  return std::filesystem::path(path).lexically_normal().string();
}

std::string XmlEscaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

}  // namespace

XdgDirs XdgDirsOf(const std::string& home, const std::string& data_home,
                  const std::string& config_home, const std::string& data_dirs,
                  const std::string& config_dirs, const std::string& current_desktop) {
  XdgDirs dirs;
  dirs.data_home = AbsoluteOr(data_home, home + "/.local/share");
  dirs.config_home = AbsoluteOr(config_home, home + "/.config");
  dirs.data_dirs = AbsolutePaths(data_dirs);
  if (dirs.data_dirs.empty()) dirs.data_dirs = {"/usr/local/share", "/usr/share"};
  dirs.config_dirs = AbsolutePaths(config_dirs);
  if (dirs.config_dirs.empty()) dirs.config_dirs = {"/etc/xdg"};
  for (const auto& desktop : SplitKeepEmpty(current_desktop, ":")) {
    if (!desktop.empty()) dirs.desktops.push_back(ToLowerAscii(desktop));
  }
  return dirs;
}

std::string DesktopEntryPath(const XdgDirs& dirs) {
  return dirs.data_home + "/applications/" + kDesktopId;
}
std::string MimePackagePath(const XdgDirs& dirs) {
  return dirs.data_home + "/mime/packages/" + kMimePackageFile;
}
std::string MimeAppsPath(const XdgDirs& dirs) {
  return dirs.config_home + "/mimeapps.list";
}

std::vector<std::string> MimeAppsSearchPaths(const XdgDirs& dirs) {
  std::vector<std::string> folders{dirs.config_home};
  folders.insert(folders.end(), dirs.config_dirs.begin(), dirs.config_dirs.end());
  folders.push_back(dirs.data_home + "/applications");
  for (const auto& data : dirs.data_dirs) folders.push_back(data + "/applications");
  std::vector<std::string> paths;
  for (const auto& folder : folders) {
    for (const auto& desktop : dirs.desktops)
      paths.push_back(folder + "/" + desktop + "-mimeapps.list");
    paths.push_back(folder + "/mimeapps.list");
  }
  return paths;
}

std::optional<std::string> DesktopEntryText(const std::string& program_path,
                                            const std::string& name, const std::string& comment) {
  if (!IsValidUtf8(program_path) || HasControlCharacter(program_path) || program_path.empty() ||
      program_path.front() != '/') {
    return std::nullopt;
  }
  const std::string shown_name = IsValidUtf8(name) ? EscapeValue(name) : std::string();
  std::string text = "[Desktop Entry]\nType=Application\n";
  text += "Name=" + (shown_name.empty() ? std::string("Kirivane") : shown_name) + "\n";
  if (IsValidUtf8(comment) && !EscapeValue(comment).empty()) {
    text += "Comment=" + EscapeValue(comment) + "\n";
  }
  text += "Exec=" + EscapeValue(QuotedExecArgument(program_path)) + " %f\n";
  text += "Terminal=false\n";
  text += std::string("MimeType=") + kLyrMimeType + ";\n";
  text += "Categories=AudioVideo;Audio;Midi;\n";
  return text;
}

std::string MimePackageText(const std::string& description) {
  const std::string comment = IsValidUtf8(description) ? description : std::string("Kirivane");
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  text += "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  text += std::string("  <mime-type type=\"") + kLyrMimeType + "\">\n";
  text += "    <comment>" + XmlEscaped(comment) + "</comment>\n";
  text += "    <sub-class-of type=\"text/plain\"/>\n";
  text += std::string("    <glob pattern=\"") + kLyrGlob + "\"/>\n";
  text += "  </mime-type>\n</mime-info>\n";
  return text;
}

std::string WithOurDefault(std::string_view mimeapps) {
  XdgKeyFile list(mimeapps);
  auto first = [](std::vector<std::string> ids) {
    ids.erase(std::remove(ids.begin(), ids.end(), kDesktopId), ids.end());
    ids.insert(ids.begin(), kDesktopId);
    return ids;
  };
  auto without = [](std::vector<std::string> ids) {
    ids.erase(std::remove(ids.begin(), ids.end(), kDesktopId), ids.end());
    return ids;
  };
  list.Edit(kDefaultApplicationsGroup, kLyrMimeType, first);
  list.Edit(kAddedAssociationsGroup, kLyrMimeType, first);
  list.Edit(kRemovedAssociationsGroup, kLyrMimeType, without);
  return list.Text();
}

std::string WithoutOurEntries(std::string_view mimeapps) {
  XdgKeyFile list(mimeapps);
  auto without = [](std::vector<std::string> ids) {
    ids.erase(std::remove(ids.begin(), ids.end(), kDesktopId), ids.end());
    return ids;
  };
  list.Edit(kDefaultApplicationsGroup, kLyrMimeType, without);
  list.Edit(kAddedAssociationsGroup, kLyrMimeType, without);
  return list.Text();
}

std::vector<std::string> ExecArguments(std::string_view exec) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  while (i < exec.size()) {
    while (i < exec.size() && (exec[i] == ' ' || exec[i] == '\t')) ++i;
    if (i == exec.size()) break;
    std::string argument;
    if (exec[i] == '"') {
      for (++i; i < exec.size() && exec[i] != '"'; ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
        argument += exec[i];
      }
      ++i;  // the closing quote
    }
    while (i < exec.size() && exec[i] != ' ' && exec[i] != '\t') argument += exec[i++];
    arguments.push_back(WithoutDoublePercent(argument));
  }
  return arguments;
}

std::optional<std::string> DesktopEntryValue(std::string_view entry, std::string_view key) {
  return XdgKeyFile(entry).Value("Desktop Entry", key);
}

bool DesktopEntryStarts(std::string_view entry, const std::string& program_path) {
  if (DesktopEntryValue(entry, "Type").value_or("") != "Application") return false;
  if (DesktopEntryValue(entry, "Hidden").value_or("") == "true") return false;
  const auto exec = DesktopEntryValue(entry, "Exec");
  if (!exec) return false;
  const auto arguments = ExecArguments(UnescapeValue(*exec));
  if (arguments.empty() || Normal(arguments.front()) != Normal(program_path)) return false;
  return std::any_of(arguments.begin() + 1, arguments.end(), [](const std::string& a) {
    return a == "%f" || a == "%F" || a == "%u" || a == "%U";
  });
}

std::vector<std::string> DefaultApplications(std::string_view mimeapps, std::string_view type) {
  return XdgKeyFile(mimeapps).Ids(kDefaultApplicationsGroup, type);
}

bool MimePackageMapsLyr(std::string_view package) {
  std::string text(package);
  std::replace(text.begin(), text.end(), '\'', '"');
  const std::string type = std::string("type=\"") + kLyrMimeType + "\"";
  const std::string glob = std::string("pattern=\"") + kLyrGlob + "\"";
  std::size_t at = 0;
  while ((at = text.find("<mime-type", at)) != std::string::npos) {
    const std::size_t tag_end = text.find('>', at);
    const std::size_t end = text.find("</mime-type>", at);
    if (tag_end == std::string::npos || end == std::string::npos) return false;
    const std::string_view tag = std::string_view(text).substr(at, tag_end - at);
    const std::string_view body = std::string_view(text).substr(tag_end, end - tag_end);
    if (tag.find(type) != std::string_view::npos && body.find(glob) != std::string_view::npos) {
      return true;
    }
    at = end;
  }
  return false;
}

bool IsOurAssociation(const AssociationSnapshot& snapshot, const std::string& program_path) {
  if (!snapshot.mime_package || !MimePackageMapsLyr(*snapshot.mime_package)) return false;
  for (const auto& list : snapshot.mimeapps_lists) {
    for (const auto& id : DefaultApplications(list, kLyrMimeType)) {
      const auto entry = snapshot.desktop_entry ? snapshot.desktop_entry(id) : std::nullopt;
      if (entry) return DesktopEntryStarts(*entry, program_path);
    }
  }
  return false;
}

}  // namespace kirivane
