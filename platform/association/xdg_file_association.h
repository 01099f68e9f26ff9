#pragma once

#include <string>

#include "player/shell/file_association.h"
#include "player/shell/xdg_association_files.h"

namespace kirivane {

// Texts written into the registration.
struct AssociationTexts {
  std::string program_name;      // the desktop entry's Name
  std::string comment;           // its Comment
  std::string type_description;  // the MIME type's comment (language entry 11)
};

// The ".lyr" association the freedesktop way, in the user's own folders: a shared-mime-info
// package in <data home>/mime/packages, a desktop entry in <data home>/applications whose Exec
// starts program_path with the file, and the default application in <config home>/mimeapps.list.
// The desktop and MIME databases are refreshed when update-desktop-database and
// update-mime-database are installed. Every file is written to a temporary file renamed over
// the old one.
class XdgFileAssociation : public FileAssociation {
 public:
  XdgFileAssociation(XdgDirs dirs, std::string program_path, AssociationTexts texts)
      : dirs_(std::move(dirs)), program_path_(std::move(program_path)), texts_(std::move(texts)) {}

  // The folders named by the environment (HOME, XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_DATA_DIRS,
  // XDG_CONFIG_DIRS, XDG_CURRENT_DESKTOP).
  static XdgDirs DirsFromEnvironment();

  bool IsAssociated() override;
  bool CreateAssociation() override;
  bool RemoveAssociation() override;

 private:
  // The installed desktop entry of an id: <data dir>/applications/<id>, where a "-" of the id
  // may stand for a sub-folder; the user's folder first.
  std::optional<std::string> FindDesktopEntry(const std::string& id) const;
  void RefreshDatabases() const;

  XdgDirs dirs_;
  std::string program_path_;
  AssociationTexts texts_;
};

}  // namespace kirivane
