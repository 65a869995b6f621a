// Runs every case folder under tests/e2e/cases and compares what murex
// produced with the expected files (see tests/e2e/README.md).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_murex.h"

namespace murex::test {
namespace {

namespace fs = std::filesystem;

// A short line diff: the first differing line with a little context.
std::string diff(const std::string& expected, const std::string& actual) {
  const auto e = lines_of(expected);
  const auto a = lines_of(actual);
  std::size_t k = 0;
  while (k < e.size() && k < a.size() && e[k] == a[k]) ++k;
  std::ostringstream out;
  out << "first difference at line " << k + 1 << "\n";
  for (std::size_t j = (k > 2 ? k - 2 : 0); j < std::max(e.size(), a.size()) && j < k + 3; ++j) {
    if (j < e.size()) out << "  -" << e[j] << "\n";
    if (j < a.size()) out << "  +" << a[j] << "\n";
  }
  if (expected.size() != actual.size() && k >= std::min(e.size(), a.size())) {
    out << "  (sizes " << expected.size() << " vs " << actual.size() << ")\n";
  }
  return out.str();
}

std::string mask_internal_error_line(const std::string& err) {
  return std::regex_replace(err, std::regex(R"(\.cpp\([0-9]+\))"), ".cpp(<line>)");
}

std::string mask_date(const std::string& report) {
  // The date line is the third line of every appended block.
  std::string out;
  std::istringstream in(report);
  std::string line;
  int n = 0;
  while (std::getline(in, line)) {
    ++n;
    out += (n == 3 ? std::string("<date>") : line) + "\n";
  }
  return out;
}

std::string mask_times(const std::string& log) {
  return std::regex_replace(log, std::regex(R"([-+0-9.e]+ s\n)"), "<t> s\n");
}

std::size_t line_count(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

// Compares one run with a case's expected folder; returns the mismatches.
std::vector<std::string> compare_with_expected(const Run_result& run, const fs::path& expected) {
  std::vector<std::string> problems;
  const int status = std::stoi(read_file(expected / "status"));
  if (run.status != status) {
    problems.push_back("status " + std::to_string(run.status) + ", expected " + std::to_string(status) +
                       "\nstderr: " + run.err);
  }
  if (const std::string want = read_file(expected / "stdout"); run.out != want) {
    problems.push_back("stdout differs: " + diff(want, run.out));
  }
  const std::string want_err = read_file(expected / "stderr");
  if (status == 0) {
    if (line_count(run.err) != line_count(want_err)) {
      problems.push_back("stderr has " + std::to_string(line_count(run.err)) + " lines, expected " +
                         std::to_string(line_count(want_err)) + ":\n" + run.err);
    }
  } else if (mask_internal_error_line(run.err) != want_err) {
    problems.push_back("stderr differs: " + diff(want_err, mask_internal_error_line(run.err)));
  }
  struct Output {
    const char* name;
    std::string (*mask)(const std::string&);
  };
  const Output outputs[] = {{"good_pair.out", nullptr}, {"initial_status.out", mask_date}, {"timelog.out", mask_times}};
  for (const Output& output : outputs) {
    if (!fs::exists(expected / output.name)) continue;
    if (!run.has_file(output.name)) {
      problems.push_back(std::string(output.name) + " was not written");
      continue;
    }
    std::string got = run.file(output.name);
    if (output.mask != nullptr) got = output.mask(got);
    if (const std::string want = read_file(expected / output.name); got != want) {
      problems.push_back(std::string(output.name) + " differs: " + diff(want, got));
    }
  }
  return problems;
}

namespace {

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(fs::path(MUREX_E2E_DIR) / "cases")) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

Run_result run_case(Scratch_dir& scratch, const fs::path& dir) {
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name == "args" || name == "expected") continue;
    fs::copy(entry.path(), scratch.path() / name, fs::copy_options::recursive);
  }
  return run_in(scratch.path(), split_args(read_file(dir / "args")));
}

class End_to_end : public ::testing::TestWithParam<std::string> {};

TEST_P(End_to_end, ProducesTheExpectedFiles) {
  const fs::path dir = fs::path(MUREX_E2E_DIR) / "cases" / GetParam();
  Scratch_dir scratch;
  const Run_result run = run_case(scratch, dir);
  for (const std::string& problem : compare_with_expected(run, dir / "expected")) ADD_FAILURE() << problem;
}

INSTANTIATE_TEST_SUITE_P(Cases, End_to_end, ::testing::ValuesIn(case_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// The harness itself must notice a wrong expectation, or a broken runner
// would pass every case silently.
TEST(End_to_end_harness, ReportsADeliberatelyWrongExpectation) {
  const fs::path dir = fs::path(MUREX_E2E_DIR) / "cases" / "fix_ok_chain_ug_sg";
  Scratch_dir scratch;
  const Run_result run = run_case(scratch, dir);
  ASSERT_TRUE(compare_with_expected(run, dir / "expected").empty());

  Scratch_dir wrong;
  fs::copy(dir / "expected", wrong.path(), fs::copy_options::recursive);
  std::string good_pairs = read_file(wrong.path() / "good_pair.out");
  good_pairs.replace(good_pairs.find("evaluation= 1"), 13, "evaluation= 2");
  wrong.write("good_pair.out", good_pairs);
  wrong.write("status", "1\n");
  const auto problems = compare_with_expected(run, wrong.path());
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_NE(problems[0].find("status 0, expected 1"), std::string::npos);
  EXPECT_NE(problems[1].find("good_pair.out differs"), std::string::npos);
}

}  // namespace
}  // namespace murex::test
