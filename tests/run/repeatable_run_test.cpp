// Two runs over the same input give the same outputs, byte for byte: the
// good pairs, the progress lines, the initial status report (its date line
// aside) and the shape of the timing log (its times aside). Each input runs
// with beam width 3 in every graph mode (-d) and counting mode (-s).

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/run_murex.h"

namespace murex::test {
namespace {

namespace fs = std::filesystem;

struct Mode {
  int d;
  int s;
};

struct Repeat_case {
  std::string name;
  std::string input;  // an end-to-end case folder
  Mode mode;
};

std::vector<Repeat_case> repeat_cases() {
  std::vector<Repeat_case> cases;
  for (const char* input : {"rand_2026_0001", "rand_2026_0005", "fix_ok_both_ways_dg_ig", "fix_ok_efrl_weights"}) {
    for (int d = 0; d <= 3; ++d) {
      for (int s = 0; s <= 1; ++s) {
        cases.push_back({std::string(input) + "_d" + std::to_string(d) + "_s" + std::to_string(s), input, {d, s}});
      }
    }
  }
  return cases;
}

// The case's arguments with -d, -s and -b replaced.
std::vector<std::string> arguments(const fs::path& folder, Mode mode) {
  const std::vector<std::string> original = split_args(read_file(folder / "args"));
  std::vector<std::string> args;
  for (std::size_t k = 0; k < original.size(); ++k) {
    if ((original[k] == "-d" || original[k] == "-s" || original[k] == "-b") && k + 1 < original.size()) {
      ++k;
    } else {
      args.push_back(original[k]);
    }
  }
  for (const std::string& word :
       {std::string("-d"), std::to_string(mode.d), std::string("-s"), std::to_string(mode.s), std::string("-b"),
        std::string("3")}) {
    args.push_back(word);
  }
  return args;
}

std::map<std::string, std::string> inputs_of(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name != "args") files[name] = read_file(entry.path());
  }
  return files;
}

std::string without_date(const std::string& report) {
  return std::regex_replace(report, std::regex(R"(\n[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\d \d\d:\d\d:\d\d \d{4}\n)"),
                            "\n<date>\n");
}

std::string without_times(const std::string& log) {
  return std::regex_replace(log, std::regex(R"([-+0-9.e]+ s\n)"), "<t> s\n");
}

class Repeatable_run : public ::testing::TestWithParam<Repeat_case> {};

TEST_P(Repeatable_run, GivesTheSameOutputsTwice) {
  const Repeat_case& c = GetParam();
  const fs::path folder = fs::path(MUREX_E2E_DIR) / "cases" / c.input;
  const auto args = arguments(folder, c.mode);
  const auto files = inputs_of(folder);
  Scratch_dir first_dir;
  Scratch_dir second_dir;
  const Run_result first = run_murex(first_dir, args, files);
  const Run_result second = run_murex(second_dir, args, files);
  ASSERT_EQ(first.status, 0) << first.err;
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(first.out, second.out);
  EXPECT_EQ(first.err, second.err);
  EXPECT_FALSE(first.file("good_pair.out").empty());
  EXPECT_EQ(first.file("good_pair.out"), second.file("good_pair.out"));
  const std::string report = without_date(first.file("initial_status.out"));
  EXPECT_NE(report.find("\n<date>\n"), std::string::npos);
  EXPECT_EQ(report, without_date(second.file("initial_status.out")));
  const std::string log = without_times(first.file("timelog.out"));
  EXPECT_NE(log.find("ALL= <t> s\n"), std::string::npos) << log;
  EXPECT_EQ(log, without_times(second.file("timelog.out")));
}

INSTANTIATE_TEST_SUITE_P(Cases, Repeatable_run, ::testing::ValuesIn(repeat_cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace murex::test
