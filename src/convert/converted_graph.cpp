#include "convert/converted_graph.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <set>

namespace murex::convert {
namespace {

bool as_number(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && errno == 0 && std::isfinite(value);
}

}  // namespace

std::vector<std::string> ascending_class_values(const std::vector<Converted_graph>& graphs) {
  std::set<std::string> distinct;
  for (const auto& graph : graphs) distinct.insert(graph.class_value);
  std::vector<std::string> values(distinct.begin(), distinct.end());
  bool numeric = true;
  double ignored = 0;
  for (const auto& value : values) numeric = numeric && as_number(value, ignored);
  if (numeric) {
    std::stable_sort(values.begin(), values.end(), [](const std::string& a, const std::string& b) {
      double x = 0;
      double y = 0;
      as_number(a, x);
      as_number(b, y);
      return x < y;
    });
  }
  return values;
}

}  // namespace murex::convert
