#pragma once

namespace kirivane {

// The registration of the performance file type (".lyr") with the desktop, so that opening
// such a file starts this program with it.
class FileAssociation {
 public:
  virtual ~FileAssociation() = default;
  // Whether opening a ".lyr" file starts this very program (not another program, and not
  // this program installed in another folder).
  virtual bool IsAssociated() = 0;
  // Registers the type with this program as its default. False when a file could not be
  // written.
  virtual bool CreateAssociation() = 0;
  // Removes this program's registration; other programs' entries stay. False when a file
  // could not be written.
  virtual bool RemoveAssociation() = 0;
};

}  // namespace kirivane
