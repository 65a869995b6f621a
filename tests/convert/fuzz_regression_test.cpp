// Replays every saved fuzz input of the converter's readers
// (tests/fuzz_regressions/convert_<format>/) the way its fuzz target feeds
// it: each must be read or end in a Convert_error naming where it went
// wrong, never in another exception or a crash.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "convert_inputs.h"
#include "support/run_murex.h"

namespace murex::convert::test {
namespace {

namespace fs = std::filesystem;
using murex::test::PrintTo;  // parameterized cases print as their names

struct Saved_input {
  std::string name;
  std::string format;  // chem, gspan or tu
  fs::path path;
};

std::vector<Saved_input> saved_inputs() {
  std::vector<Saved_input> inputs;
  std::error_code ignored;
  const fs::path root = fs::path(MUREX_E2E_DIR).parent_path() / "fuzz_regressions";
  for (const auto& target : fs::directory_iterator(root, ignored)) {
    const std::string target_name = target.path().filename().string();
    if (!target.is_directory() || target_name.rfind("convert_", 0) != 0) continue;
    for (const auto& file : fs::directory_iterator(target.path())) {
      std::string name = target_name + "_" + file.path().filename().string();
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      inputs.push_back({name, target_name.substr(8), file.path()});
    }
  }
  std::sort(inputs.begin(), inputs.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return inputs;
}

class Convert_fuzz_regression : public ::testing::TestWithParam<Saved_input> {};

TEST_P(Convert_fuzz_regression, IsReadOrEndsInAConvertError) {
  const Saved_input& saved = GetParam();
  const std::string bytes = murex::test::read_file(saved.path);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  try {
    if (saved.format == "chem") {
      murex::fuzz::feed_chem(data, bytes.size());
    } else if (saved.format == "gspan") {
      murex::fuzz::feed_gspan(data, bytes.size());
    } else if (saved.format == "tu") {
      murex::fuzz::feed_tu(data, bytes.size());
    } else {
      FAIL() << "no reader for the saved inputs of convert_" << saved.format;
    }
  } catch (const Convert_error& error) {
    EXPECT_FALSE(error.detail().empty());
  } catch (const std::exception& other) {
    FAIL() << "not a Convert_error: " << other.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Saved, Convert_fuzz_regression, ::testing::ValuesIn(saved_inputs()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace murex::convert::test
