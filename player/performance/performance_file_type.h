#pragma once

#include <string_view>

namespace kirivane {

enum class PerformanceFileType { kOther, kLyr, kMidi };

// By the end of the path, in any case: ".lyr" is a performance file, ".mid" and ".midi" are
// Standard MIDI Files.
PerformanceFileType PerformanceFileTypeOf(std::string_view path);

}  // namespace kirivane
