#include "naming/CombineNames.h"

namespace naming {

std::string CombineNames(const Entries& entries) {
  std::size_t total = 0;
  for (const auto& e : entries) total += e.size();

  std::string result;
  result.reserve(18 * total + 81);
  for (const auto& first : entries) {
    for (const auto& second : entries) {
      result += first;
      result += second;
      result += ' ';
    }
  }
  return result;
}

}  // namespace naming
