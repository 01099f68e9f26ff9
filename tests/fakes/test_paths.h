#pragma once

#include <string>

namespace kirivane::testing {

std::string SourceDir();   // the repository
std::string ProgramDir();  // the folder of the built programs and their data files
// A fresh empty folder under the system's temporary folder, removed by the caller or left.
std::string MakeTempDir(const std::string& prefix);

}  // namespace kirivane::testing
