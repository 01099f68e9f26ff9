#pragma once

#include <string>

namespace kirivane {

// 1 when the path names an existing file, 0 when it names an existing folder, -1 when there is
// nothing there (or it cannot be asked about).
int PathKind(const std::string& path);
// True unless PathKind is -1.
bool PathExists(const std::string& path);

}  // namespace kirivane
