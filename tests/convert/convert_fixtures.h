#pragma once
// Shared helpers of the murex-convert tests: fixture paths, running the
// program, and collecting warnings.

#include <filesystem>
#include <string>
#include <vector>

#include "convert/convert_error.h"
#include "support/run_murex.h"

namespace murex::convert::test {

inline std::filesystem::path fixture(const std::string& name) {
  return std::filesystem::path(MUREX_CONVERT_FIXTURES) / name;
}

// Runs murex-convert with `args` in `dir`.
inline murex::test::Run_result run_convert(const std::filesystem::path& dir, const std::vector<std::string>& args) {
  return murex::test::run_in(dir, args, MUREX_CONVERT_BINARY);
}

// A warning sink that keeps every warning.
struct Warnings {
  std::vector<std::string> lines;
  Warning_sink sink() {
    return [this](const std::string& line) { lines.push_back(line); };
  }
};

}  // namespace murex::convert::test
