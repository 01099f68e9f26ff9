#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kirivane {

// The freedesktop registration of ".lyr": a shared-mime-info package naming the type, a
// desktop entry that starts the program with the file, and the type's default application in
// mimeapps.list. These functions build and read those files; the platform writes them.
inline constexpr const char* kLyrMimeType = "text/lyr";
inline constexpr const char* kLyrGlob = "*.lyr";
inline constexpr const char* kDesktopId = "kirivane.desktop";
inline constexpr const char* kMimePackageFile = "kirivane-lyr.xml";
inline constexpr const char* kPlayerProgramFile = "kirivane";

// The base folders of the XDG base directory rules.
struct XdgDirs {
  std::string data_home;                 // $XDG_DATA_HOME, else ~/.local/share
  std::string config_home;               // $XDG_CONFIG_HOME, else ~/.config
  std::vector<std::string> data_dirs;    // $XDG_DATA_DIRS, else /usr/local/share, /usr/share
  std::vector<std::string> config_dirs;  // $XDG_CONFIG_DIRS, else /etc/xdg
  std::vector<std::string> desktops;     // $XDG_CURRENT_DESKTOP, lower case
};
// From the environment's values ("" for an unset variable). Relative paths are ignored, as the
// rules ask.
XdgDirs XdgDirsOf(const std::string& home, const std::string& data_home,
                  const std::string& config_home, const std::string& data_dirs,
                  const std::string& config_dirs, const std::string& current_desktop);

// Where this program's files go.
std::string DesktopEntryPath(const XdgDirs& dirs);  // <data home>/applications/kirivane.desktop
std::string MimePackagePath(const XdgDirs& dirs);   // <data home>/mime/packages/kirivane-lyr.xml
std::string MimeAppsPath(const XdgDirs& dirs);      // <config home>/mimeapps.list
// Every mimeapps.list the default application is looked up in, most important first.
std::vector<std::string> MimeAppsSearchPaths(const XdgDirs& dirs);

// The desktop entry that starts program_path with the file opened; nothing when the path
// cannot be written into one (not UTF-8, or holding control characters).
std::optional<std::string> DesktopEntryText(const std::string& program_path,
                                            const std::string& name, const std::string& comment);
// The shared-mime-info package: the type, its description and the glob *.lyr.
std::string MimePackageText(const std::string& description);

// mimeapps.list with this program made the type's default (and first in its added
// associations, and no longer in its removed ones); every other line stays.
std::string WithOurDefault(std::string_view mimeapps);
// mimeapps.list without this program's entries for the type; every other line stays.
std::string WithoutOurEntries(std::string_view mimeapps);

// The Exec value of a desktop entry split into its arguments (quotes and escapes undone).
std::vector<std::string> ExecArguments(std::string_view exec);
// A key of the [Desktop Entry] group; nothing when missing.
std::optional<std::string> DesktopEntryValue(std::string_view entry, std::string_view key);
// Whether the desktop entry starts program_path with the opened file.
bool DesktopEntryStarts(std::string_view entry, const std::string& program_path);
// The desktop ids named for the type in the [Default Applications] group, in order.
std::vector<std::string> DefaultApplications(std::string_view mimeapps, std::string_view type);
// Whether the package maps *.lyr to the type.
bool MimePackageMapsLyr(std::string_view package);

// What the disk holds, as the association check needs it.
struct AssociationSnapshot {
  std::optional<std::string> mime_package;  // this program's package, when present
  std::vector<std::string> mimeapps_lists;  // contents in MimeAppsSearchPaths order
  // The installed desktop entry of an id, or nothing when no such entry is installed.
  std::function<std::optional<std::string>(const std::string& id)> desktop_entry;
};
// True when the package maps *.lyr to the type and the type's default application (the first
// installed id of the first list naming one) starts program_path with the file.
bool IsOurAssociation(const AssociationSnapshot& snapshot, const std::string& program_path);

}  // namespace kirivane
