#include "player/performance/performance_file_type.h"

#include "common/basic/text_rules.h"

namespace kirivane {

PerformanceFileType PerformanceFileTypeOf(std::string_view path) {
  if (EndsWithNoCase(path, ".lyr")) return PerformanceFileType::kLyr;
  if (EndsWithNoCase(path, ".mid") || EndsWithNoCase(path, ".midi")) {
    return PerformanceFileType::kMidi;
  }
  return PerformanceFileType::kOther;
}

}  // namespace kirivane
