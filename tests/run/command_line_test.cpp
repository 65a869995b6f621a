// The option loop against the real binary: arguments -> exit status,
// standard output and standard error.

#include <gtest/gtest.h>
#include <iconv.h>

#include <regex>
#include <string>
#include <vector>

#include "support/run_murex.h"

namespace murex::test {
namespace {

const std::string kBel = "\a";

struct Cli_case {
  const char* name;
  std::vector<std::string> args;
  int status;
  std::string err;  // exact; "<internal:file>" stands for "Error: file(<n>)" + BEL
};

// Every run below stops before reading any data (no data file exists).
const std::vector<Cli_case> kCases = {
    {"NoArguments", {}, 1, "Bad Parameter" + kBel + "\n"},
    {"UnknownOption", {"-x", "1"}, 1, "Bad Parameter" + kBel + "\n"},
    {"WordTooShort", {"-"}, 1, "Bad Parameter" + kBel + "\n"},
    {"ClassCountZero", {"-c", "0", "-f", "a"}, 1, "<internal:parameter.cpp>"},
    {"ClassCountEmpty", {"-c", "", "-f", "a"}, 1, "<internal:parameter.cpp>"},
    {"ClassCountNotDigits", {"-c", "2x", "-f", "a"}, 1, "Bad Parameter" + kBel + "\n"},
    {"ClassCountNegative", {"-c", "-2", "-f", "a"}, 1, "Bad Parameter" + kBel + "\n"},
    {"ClassCountBeyond32Bits", {"-c", "4294967296", "-f", "a"}, 1, "Bad Parameter" + kBel + "\n"},
    {"ClassCountNegativeAsSigned", {"-c", "4294967295", "-f", "a"}, 1, "<internal:parameter.cpp>"},
    {"ClassWordLonger", {"-cx", "2", "-f", "a"}, 1, "Bad Parameter" + kBel + "\n"},
    {"MissingValue", {"-c"}, 1, "Bad Parameter" + kBel + "\n"},
    {"DirectedOutOfRange", {"-d", "4", "-f", "a"}, 1, "Bad Parameter" + kBel + "\n"},
    {"DirectedTrailing", {"-f", "a", "-d"}, 1, "Bad Parameter" + kBel + "\n"},
    {"SubgraphOutOfRange", {"-s", "2", "-f", "a"}, 1, "Bad Parameter" + kBel + "\n"},
    {"SubgraphTrailing", {"-f", "a", "-s"}, 1, "Bad Parameter" + kBel + "\n"},
    {"BeamNotDigits", {"-b", "1.5", "-f", "a"}, 1, "Bad Parameter" + kBel + "\n"},
    {"BeamBeyond32Bits", {"-b", "99999999999", "-f", "a"}, 1, "Bad Parameter" + kBel + "\n"},
    {"NoFileList", {"-c", "1"}, 1, "Bad Parameter" + kBel + "\n"},
    {"EmptyFileList", {"-c", "1", "-f", ""}, 1, "Bad Parameter" + kBel + "\n"},
    {"ShortFileList", {"-c", "2", "-f", "a"}, 1, "Error : The filename for Class 2 is not set yet." + kBel + "\n"},
    {"EmptyPiece", {"-c", "2", "-f", "a,,b"}, 1, "Error : The filename for Class 2 is not set yet." + kBel + "\n"},
    {"EmptyFirstPiece", {"-c", "2", "-f", ",b"}, 1, "Error : The filename for Class 1 is not set yet." + kBel + "\n"},
    {"HugeClassCount", {"-c", "2000000000", "-f", "a"}, 1,
     "Error : The filename for Class 2 is not set yet." + kBel + "\n"},
    {"EmptyTestFileName", {"-c", "1", "-f", "a", "-t", ""}, 1,
     "Error : The test file name is not set yet." + kBel + "\n"},
    {"ErrorBeforeHelp", {"-c", "0", "-h"}, 1, "<internal:parameter.cpp>"},
    // Past the option loop: the data-file list is accepted, murex.ini is missing.
    {"DirectedWordLonger", {"-dx", "3", "-f", "a"}, 1, "Error: Unable to open murex.ini" + kBel + "\n"},
    {"NoClassCountStillNeedsList", {"-f", "a"}, 1, "Error: Unable to open murex.ini" + kBel + "\n"},
    {"ExtraPiecesIgnored", {"-c", "2", "-f", "a,b,c"}, 1, "Error: Unable to open murex.ini" + kBel + "\n"},
    {"FirstCharacterNotExamined", {"xc", "1", "+f", "a"}, 1, "Error: Unable to open murex.ini" + kBel + "\n"},
    {"LaterListWins", {"-c", "2", "-f", "a", "-f", "a,b"}, 1, "Error: Unable to open murex.ini" + kBel + "\n"},
};

void PrintTo(const Cli_case& c, std::ostream* out) { *out << c.name; }

class Command_line : public ::testing::TestWithParam<Cli_case> {};

TEST_P(Command_line, EndsWithTheExpectedMessage) {
  const Cli_case& c = GetParam();
  Scratch_dir scratch;
  const Run_result run = run_murex(scratch, c.args, {});
  EXPECT_EQ(run.status, c.status);
  EXPECT_EQ(run.out, "");
  const std::string prefix = "<internal:";
  if (c.err.rfind(prefix, 0) == 0) {
    const std::string file = c.err.substr(prefix.size(), c.err.size() - prefix.size() - 1);
    EXPECT_TRUE(std::regex_match(run.err, std::regex("Error: " + file + "\\([0-9]+\\)\a\n"))) << run.err;
  } else {
    EXPECT_EQ(run.err, c.err);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Command_line, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Cli_case>& info) { return info.param.name; });

// The usage text as a person reads it; the program writes it in Shift_JIS.
const char* const kUsageUtf8[] = {
    " MUREX",
    "  [実行パラメータ]",
    "     -c クラス数  (default 1)",
    "     -d 0 (無向グラフ) or 1 (有向グラフ) or 2 (無向グラフ CanonicalLabel ダミー) or 3 (有向グラフ "
    "CanonicalLabel ダミー) ",
    "     -s 0 (誘導部分グラフ) or 1 (部分グラフ)",
    "     -f データファイル名 for クラス1，データクラス名 for クラス2，...",
    "     -t テストファイル名",
    "     -b ビーム幅  (default 1)",
};

std::string to_shift_jis(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string in = utf8;
  std::string out(in.size() * 2 + 16, '\0');
  char* src = in.data();
  std::size_t src_left = in.size();
  char* dst = out.data();
  std::size_t dst_left = out.size();
  const std::size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) return {};
  out.resize(out.size() - dst_left);
  return out;
}

TEST(Usage, IsTheShiftJisTextAndEndsTheRunWithStatusZero) {
  std::string expected;
  for (const char* line : kUsageUtf8) {
    const std::string encoded = to_shift_jis(line);
    ASSERT_FALSE(encoded.empty()) << "no CP932 converter for " << line;
    expected += encoded + "\n";
  }
  // Options before -h are applied, options after it are never read.
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"-h"}, {"-hx"}, {"-c", "2", "-h", "-c", "0"}, {"-b", "3", "-h", "-zz"}}) {
    Scratch_dir scratch;
    const Run_result run = run_murex(scratch, args, {});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "");
  }
}

}  // namespace
}  // namespace murex::test
