#pragma once

#include <string>

namespace kirivane {

// An entry point of one of the program's modules (kirivane-synth.so, kirivane-sounds.so): found
// beside the program in a build or under lib/kirivane when installed, loaded once and kept for
// the rest of the process. Returns nullptr with *error set when the module or the entry is
// missing.
void* ProgramModuleEntry(const char* module_file, const char* entry, std::string* error);

}  // namespace kirivane
