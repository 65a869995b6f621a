// Reports that cannot be written. good_pair.out is the result: a run that
// cannot create or write it says so and ends with status 1. timelog.out and
// initial_status.out each get one warning and the run still succeeds.
// (The tests run as root, so write failures come from /dev/full, which
// accepts the open and refuses every write, or from a path below a regular
// file, which cannot be created.)

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_murex.h"

namespace murex::test {
namespace {

const std::vector<std::string> kArgs = {"-c", "1", "-d", "0", "-s", "1", "-f", "a.txt", "-b", "1"};
const std::string kData = "1 a\n2 b 1(x) 3(y)\n3 c\n\n1 a\n2 b 1(x)\n";
const std::string kIni = "#CEVALFUNC frequency 0.5\n#GEVALFUNC frequency 0\n";

enum class Blocked_by { full_disk, parent_is_a_file };

struct Output_case {
  const char* name;
  const char* file;
  Blocked_by how;
  int status;
  std::string err;
};

const std::vector<Output_case> kCases = {
    {"GoodPairsOnAFullDisk", "good_pair.out", Blocked_by::full_disk, 1,
     "Error: Unable to write good_pair.out\a\n"},
    {"GoodPairsCannotBeCreated", "good_pair.out", Blocked_by::parent_is_a_file, 1,
     "Error: Unable to write good_pair.out\a\n"},
    {"TimelogOnAFullDisk", "timelog.out", Blocked_by::full_disk, 0, "Warning: Unable to write timelog.out\n"},
    {"TimelogCannotBeCreated", "timelog.out", Blocked_by::parent_is_a_file, 0,
     "Warning: Unable to write timelog.out\n"},
    {"InitialStatusOnAFullDisk", "initial_status.out", Blocked_by::full_disk, 0,
     "Warning: Unable to write initial_status.out\n"},
    {"InitialStatusCannotBeCreated", "initial_status.out", Blocked_by::parent_is_a_file, 0,
     "Warning: Unable to write initial_status.out\n"},
};

class Output_failure : public ::testing::TestWithParam<Output_case> {};

TEST_P(Output_failure, IsReportedAndOnlyALostResultFailsTheRun) {
  const Output_case& c = GetParam();
  if (c.how == Blocked_by::full_disk && !std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  Scratch_dir scratch;
  if (c.how == Blocked_by::full_disk) {
    std::filesystem::create_symlink("/dev/full", scratch.path() / c.file);
  } else {
    scratch.write("plain_file", "");
    std::filesystem::create_symlink("plain_file/" + std::string(c.file), scratch.path() / c.file);
  }
  const Run_result result = run_murex(scratch, kArgs, {{"a.txt", kData}, {"murex.ini", kIni}});
  EXPECT_EQ(result.status, c.status);
  EXPECT_EQ(result.err, c.err);
  const bool result_lost = c.status != 0;
  EXPECT_EQ(result.out.find("Done.") != std::string::npos, !result_lost) << result.out;
  // The other reports are written as usual.
  for (const std::string other : {"good_pair.out", "timelog.out", "initial_status.out"}) {
    if (other != c.file) {
      EXPECT_FALSE(result.file(other).empty()) << other;
    }
  }
  if (!result_lost) {
    EXPECT_EQ(result.file("good_pair.out").rfind("Good_pairs", 0), 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Output_failure, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Output_failure, EveryReportBlockedGivesEachMessageOnce) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  Scratch_dir scratch;
  for (const char* file : {"good_pair.out", "timelog.out", "initial_status.out"}) {
    std::filesystem::create_symlink("/dev/full", scratch.path() / file);
  }
  const Run_result result = run_murex(scratch, kArgs, {{"a.txt", kData}, {"murex.ini", kIni}});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "Warning: Unable to write initial_status.out\n"
            "Warning: Unable to write timelog.out\n"
            "Error: Unable to write good_pair.out\a\n");
}

}  // namespace
}  // namespace murex::test
