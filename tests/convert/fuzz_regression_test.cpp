// Replays every saved fuzz input of the converter's readers
// (tests/fuzz_regressions/convert_<format>/) the way its fuzz target feeds
// it: each must be read or end in a Convert_error naming where it went
// wrong, never in another exception or a crash.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "convert_inputs.h"
#include "support/run_murex.h"

namespace murex::convert::test {
namespace {

using murex::test::Saved_fuzz_input;

// The converter's saved inputs (targets convert_<format>).
std::vector<Saved_fuzz_input> saved_inputs() {
  auto inputs = murex::test::saved_fuzz_inputs();
  std::erase_if(inputs, [](const auto& input) { return input.target.rfind("convert_", 0) != 0; });
  return inputs;
}

class Convert_fuzz_regression : public ::testing::TestWithParam<Saved_fuzz_input> {};

TEST_P(Convert_fuzz_regression, IsReadOrEndsInAConvertError) {
  const Saved_fuzz_input& saved = GetParam();
  const std::string bytes = murex::test::read_file(saved.path);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  try {
    if (saved.target == "convert_chem") {
      murex::fuzz::feed_chem(data, bytes.size());
    } else if (saved.target == "convert_gspan") {
      murex::fuzz::feed_gspan(data, bytes.size());
    } else if (saved.target == "convert_tu") {
      murex::fuzz::feed_tu(data, bytes.size());
    } else {
      FAIL() << "no reader for the saved inputs of " << saved.target;
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
