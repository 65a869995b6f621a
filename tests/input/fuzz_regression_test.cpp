// Replays every saved fuzz input (tests/fuzz_regressions/<target>/) through
// the real binary, the way its fuzz target feeds it (see fuzz/*_fuzz.cpp):
// each must end with a result or one message and status 0 or 1, never a
// crash, a sanitizer report or an uncaught exception.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "support/run_murex.h"

namespace murex::test {
namespace {

const std::string kIni = "#CEVALFUNC frequency 0.5\n#GEVALFUNC frequency 0\n";
const std::string kData = "1 a\n2 b 1(x) 3(y)\n3 c\n\n1 a\n2 b 1(x)\n";
const std::string kEfrl = "x,0.5\ny,-2\n";

struct Replay {
  std::vector<std::string> args;
  std::map<std::string, std::string> files;
};

// The run a fuzz target makes of `input`.
Replay replay_of(const std::string& target, const std::string& input) {
  const std::vector<std::string> one_class = {"-c", "1", "-f", "a.txt", "-b", "1"};
  if (target == "data_file") {
    const unsigned settings = input.empty() ? 0u : static_cast<unsigned char>(input[0]);
    const bool two = (settings & 8) != 0;
    return {{"-c", two ? "2" : "1", "-d", std::to_string(settings & 3), "-s", std::to_string((settings >> 2) & 1),
             "-f", two ? "data.txt,data.txt" : "data.txt", "-b", std::to_string((settings >> 4) & 3)},
            {{"data.txt", input.empty() ? "" : input.substr(1)}, {"murex.ini", kIni}}};
  }
  if (target == "murex_ini") return {one_class, {{"a.txt", kData}, {"murex.ini", input}, {"efrl.ini", kEfrl}}};
  if (target == "efrl_ini") {
    return {one_class,
            {{"a.txt", kData},
             {"murex.ini", "#CEVALFUNC frequency_regarding_link 0.5\n#GEVALFUNC frequency 0\n"},
             {"efrl.ini", input}}};
  }
  // command_line: the arguments are the input split at NUL bytes.
  Replay replay{{}, {{"a.txt", kData}, {"murex.ini", kIni}}};
  std::string word;
  for (const char c : input) {
    if (c == '\0') {
      replay.args.push_back(word);
      word.clear();
    } else {
      word.push_back(c);
    }
  }
  if (!word.empty()) replay.args.push_back(word);
  return replay;
}

// murex's own saved inputs; the converter's (convert_*) are replayed by its tests.
std::vector<Saved_fuzz_input> saved_inputs() {
  auto inputs = saved_fuzz_inputs();
  std::erase_if(inputs, [](const auto& input) { return input.target.rfind("convert_", 0) == 0; });
  return inputs;
}

TEST(Fuzz_regressions, EveryTargetHasSavedInputs) {
  const auto inputs = saved_inputs();
  for (const char* target : {"data_file", "murex_ini", "efrl_ini", "command_line"}) {
    EXPECT_TRUE(std::any_of(inputs.begin(), inputs.end(), [&](const auto& i) { return i.target == target; }))
        << target;
  }
}

class Fuzz_regression : public ::testing::TestWithParam<Saved_fuzz_input> {};

TEST_P(Fuzz_regression, EndsWithAResultOrOneMessage) {
  const Saved_fuzz_input& saved = GetParam();
  const Replay replay = replay_of(saved.target, read_file(saved.path));
  Scratch_dir scratch;
  const Run_result result = run_murex(scratch, replay.args, replay.files);
  ASSERT_TRUE(result.status == 0 || result.status == 1) << "status " << result.status << "\n" << result.err;
  for (const char* sign : {"Sanitizer", "runtime error", "terminate called"}) {
    EXPECT_EQ(result.err.find(sign), std::string::npos) << result.err;
  }
  if (result.status == 1) {
    // One message: standard error or (for placeholders) standard output ends with a line.
    const std::string& message = result.err.empty() ? result.out : result.err;
    ASSERT_FALSE(message.empty());
    EXPECT_EQ(message.back(), '\n');
    EXPECT_FALSE(result.has_file("good_pair.out"));
  } else if (!result.has_file("good_pair.out")) {
    EXPECT_EQ(result.out.rfind(" MUREX\n", 0), 0u) << "status 0 without a result or the usage text";
  }
}

INSTANTIATE_TEST_SUITE_P(Saved, Fuzz_regression, ::testing::ValuesIn(saved_inputs()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace murex::test
