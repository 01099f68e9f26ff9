#include "common/basic/sort_integers.h"

#include <algorithm>
#include <utility>

namespace kirivane {

namespace {

// Quicksort around the middle element; recursion on the left part, a loop on the right part.
void SortRange(std::vector<std::int16_t>& values, int first, int last) {
  while (first < last) {
    const int middle = first + (last - first) / 2;
    const std::int16_t pivot = values[middle];
    values[middle] = values[first];
    int j = first;
    for (int i = first + 1; i <= last; ++i) {
      if (values[i] < pivot) {
        ++j;
        std::swap(values[j], values[i]);
      }
    }
    values[first] = values[j];
    values[j] = pivot;
    SortRange(values, first, j - 1);
    first = j + 1;
  }
}

}  // namespace

void SortIntegers(std::vector<std::int16_t>& values, int first, int last) {
  if (values.empty()) return;
  first = std::max(first, 0);
  last = std::min(last, static_cast<int>(values.size()) - 1);
  SortRange(values, first, last);
}

}  // namespace kirivane
