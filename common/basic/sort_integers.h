#pragma once

#include <cstdint>
#include <vector>

namespace kirivane {

// Sorts values[first..last] (both included) ascending, in place. Indexes outside the array are
// held to it; a range of one element or none is left alone.
void SortIntegers(std::vector<std::int16_t>& values, int first, int last);

}  // namespace kirivane
