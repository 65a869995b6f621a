// Large but ordinary input runs to completion in memory proportional to its
// size. The inputs are generated here; each run's peak resident size (the
// child's ru_maxrss) must stay under a generous bound, a fixed allowance plus
// a multiple of the input size, which catches runaway allocation (a table
// sized by a node number, per-class storage that grows with the square of the
// class count) rather than measuring efficiency.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/run_murex.h"

namespace murex::test {
namespace {

namespace fs = std::filesystem;

// Every threshold above 1 keeps the search from chunking: the run reads,
// counts, reports and ends.
const std::string kIni = "#CEVALFUNC frequency 2\n#GEVALFUNC frequency 0\n";

struct Peak_run {
  int status = -1;
  std::int64_t peak_kib = 0;
};

// Runs murex in `dir` (output to files there) and reads its peak resident
// size. Linux keeps the peak across exec, so the value also covers this test
// process's own size at the spawn (tens of MiB): the check errs on the strict side.
Peak_run run_measured(const fs::path& dir, const std::vector<std::string>& args) {
  const pid_t pid = murex::test::spawn_in(dir, args, MUREX_BINARY, dir / "stdout.txt", dir / "stderr.txt");
  Peak_run run;
  int wstatus = 0;
  rusage usage{};
  if (wait4(pid, &wstatus, 0, &usage) != pid) return run;
  run.status = murex::test::exit_status_of(wstatus);
  run.peak_kib = usage.ru_maxrss;
  return run;
}

struct Large_case {
  const char* name;
  // Writes the data files into the directory and returns the arguments.
  std::function<std::vector<std::string>(const Scratch_dir&)> make;
  int status = 0;
};

std::vector<std::string> args_for(const std::string& classes, const std::string& files) {
  return {"-c", classes, "-d", "0", "-s", "1", "-f", files, "-b", "1"};
}

const std::vector<Large_case> kCases = {
    {"OneGraphOf200000NodesWithMostlyDistinctLabels",
     [](const Scratch_dir& dir) {
       std::string text;
       for (int k = 1; k <= 200000; ++k) {
         text += std::to_string(k) + " n" + std::to_string(k % 150000);
         if (k > 1) text += " " + std::to_string(k - 1) + "(e" + std::to_string(k % 7) + ")";
         text += "\n";
       }
       dir.write("a.txt", text);
       return args_for("1", "a.txt");
     }},
    {"HundredThousandTinyGraphsInOneClass",
     [](const Scratch_dir& dir) {
       std::string text;
       for (int g = 0; g < 100000; ++g) text += "1 a\n2 b" + std::to_string(g % 10) + " 1(x)\n\n";
       dir.write("a.txt", text);
       return args_for("1", "a.txt");
     }},
    {"TenThousandClassesOfOneGraphEach",
     [](const Scratch_dir& dir) {
       std::string list;
       for (int c = 0; c < 10000; ++c) {
         const std::string name = std::to_string(c);
         dir.write(name, "1 a\n2 b" + std::to_string(c % 20) + " 1(x)\n3 c 2(y)\n");
         list += (c == 0 ? "" : ",") + name;
       }
       return args_for("10000", list);
     }},
    {"LabelsOfHundredThousandCharacters",
     [](const Scratch_dir& dir) {
       std::string text;
       for (int k = 1; k <= 60; ++k) {
         text += std::to_string(k) + " " + std::string(100000, static_cast<char>('a' + k % 26)) + std::to_string(k);
         if (k > 1) text += " " + std::to_string(k - 1) + "(" + std::string(100000, 'l') + ")";
         text += "\n";
       }
       dir.write("a.txt", text);
       return args_for("1", "a.txt");
     }},
    {"LinkToNodeTwoThousandMillionAllocatesNothing",
     [](const Scratch_dir& dir) {
       dir.write("a.txt", "1 a\n2 b 2000000000(x)\n");
       return args_for("1", "a.txt");
     },
     1},
    {"ClassCountOfTwoThousandMillionAllocatesNothing",
     [](const Scratch_dir& dir) {
       dir.write("a.txt", "1 a\n");
       return args_for("2000000000", "a.txt");
     },
     1},
};

std::uint64_t input_bytes(const fs::path& dir) {
  std::uint64_t total = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.is_regular_file()) total += entry.file_size();
  }
  return total;
}

class Large_input : public ::testing::TestWithParam<Large_case> {};

TEST_P(Large_input, CompletesInMemoryProportionalToItsSize) {
  const Large_case& c = GetParam();
  Scratch_dir scratch;
  scratch.write("murex.ini", kIni);
  const std::vector<std::string> args = c.make(scratch);
  const std::uint64_t bytes = input_bytes(scratch.path());
  const Peak_run run = run_measured(scratch.path(), args);
  EXPECT_EQ(run.status, c.status) << read_file(scratch.path() / "stderr.txt");
  if (c.status == 0) {
    EXPECT_EQ(read_file(scratch.path() / "good_pair.out").rfind("Good_pairs", 0), 0u);
  }
  // 512 MiB for the program (and a sanitizer's shadow memory) plus 400 bytes
  // per input byte: far above what a sound run needs, far below what a
  // runaway allocation takes.
  const std::int64_t bound_kib = 512 * 1024 + static_cast<std::int64_t>(bytes * 400 / 1024);
  EXPECT_GT(run.peak_kib, 0);
  EXPECT_LT(run.peak_kib, bound_kib) << "input bytes: " << bytes;
  RecordProperty("peak_kib", std::to_string(run.peak_kib));
  RecordProperty("input_bytes", std::to_string(bytes));
}

INSTANTIATE_TEST_SUITE_P(Cases, Large_input, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A line longer than the memory allowed to the process (its address space
// limited with prlimit) ends the run with a message instead of an abort.
TEST(Memory_limit, LineLongerThanTheMemoryAllowsEndsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit";
#else
  if (!fs::exists("/usr/bin/prlimit")) GTEST_SKIP() << "no prlimit";
  Scratch_dir scratch;
  scratch.write("murex.ini", kIni);
  scratch.write("a.txt", "1 " + std::string(40 << 20, 'a') + "\n");
  const Run_result result = run_in(scratch.path(),
                                   {"--as=50000000", MUREX_BINARY, "-c", "1", "-f", "a.txt", "-b", "1"},
                                   "/usr/bin/prlimit");
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(result.err == "Error: Unable to read a.txt\a\n" || result.err == "Error: Out of memory\a\n")
      << result.err;
  EXPECT_FALSE(result.has_file("good_pair.out"));
#endif
}

}  // namespace
}  // namespace murex::test
