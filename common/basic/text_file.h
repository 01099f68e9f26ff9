#pragma once

#include <cstddef>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kirivane {

// Splits file contents into lines; CR LF and LF both end a line, and a final line without an
// end is kept. Bytes are returned as they are (no code page conversion here).
std::vector<std::string> SplitLines(std::string_view contents);

// Whole file as bytes, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Joins lines, each ended by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// Writes the bytes to a temporary file in the target's folder and renames it over the target,
// so a failed write never destroys the old file. Returns false (and leaves the target as it
// was) on any failure. A symbolic link is written through (its target is replaced, the link
// stays), a replaced file keeps its permissions, and a file the program may not write (a
// read-only one) is left unwritten, as is anything that is not a regular file.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The temporary file of a write is hidden beside its target and names the process writing it:
// ".<target name>.kirivane-<process id>-<random digits>.tmp". A writer killed before its rename
// leaves it behind; RemoveStaleTemporaryFiles clears such files away.
std::string TemporaryFileName(std::string_view target_name, std::string_view process_id,
                              unsigned random_digits);
// The process id a temporary file name holds, or nothing for any other name.
std::optional<std::string> TemporaryFileWriter(std::string_view file_name);

// Removes the temporary files in the folder (only those of target_name when one is given) whose
// writing process has ended, as /proc/<process id> tells; without /proc nothing is removed,
// since no writer can be known to have ended. Returns the number removed. Programs call it at
// start for the folders they write to; every write also clears what earlier writes of its own
// target left.
int RemoveStaleTemporaryFiles(const std::string& folder, std::string_view target_name = {});

// The same for a file written piece by piece (with the same rules): the pieces go to a
// temporary file in the target's folder, and Commit renames it over the target. Dropped without a
// successful Commit, the writer removes its temporary file and the target stays as it was.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const std::string& path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // False once the temporary file could not be opened or a write failed.
  bool Good() const { return static_cast<bool>(out_); }
  void Write(const void* data, std::size_t size);
  // Closes the temporary file and renames it over the target; false on any failure.
  bool Commit();

 private:
  std::string target_;
  std::string temporary_;
  std::ofstream out_;
  bool committed_ = false;
};

}  // namespace kirivane
