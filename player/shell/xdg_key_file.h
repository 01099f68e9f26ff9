#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kirivane {

inline constexpr const char* kDefaultApplicationsGroup = "Default Applications";
inline constexpr const char* kAddedAssociationsGroup = "Added Associations";
inline constexpr const char* kRemovedAssociationsGroup = "Removed Associations";

// A file in the freedesktop key file syntax (desktop entries, mimeapps.list) held as its
// lines, so that an edit keeps every line it does not touch: comments, other groups, other
// programs' entries, their order. Group names match exactly; keys of mimeapps.list are MIME
// types, matched without regard to case.
class XdgKeyFile {
 public:
  explicit XdgKeyFile(std::string_view contents);

  // The value of a key in a group, blanks around the "=" removed; nothing when missing.
  std::optional<std::string> Value(std::string_view group, std::string_view key) const;
  // A key's value read as a list of desktop ids ("a.desktop;b.desktop;").
  std::vector<std::string> Ids(std::string_view group, std::string_view key) const;
  // Replaces a key's id list by edit(ids): an empty result removes the key (and its group
  // when nothing else is left in it), a key or group that is missing is added when the result
  // is not empty.
  void Edit(std::string_view group, std::string_view key,
            const std::function<std::vector<std::string>(std::vector<std::string>)>& edit);

  // The file again, every line ended by LF.
  std::string Text() const;

 private:
  std::optional<std::size_t> FindGroup(std::string_view group) const;
  // Index one past the group's last line.
  std::size_t GroupEnd(std::size_t header) const;
  // Removes a group left without keys or comments.
  void DropIfEmpty(std::size_t header);
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key,
                                     bool ignore_case) const;

  std::vector<std::string> lines_;
};

}  // namespace kirivane
