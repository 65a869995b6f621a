// Broken and hostile input against the real binary: every case ends with its
// result (status 0) or with one clear message and status 1, never a crash,
// a hang or a success over a lost result.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/run_murex.h"

namespace murex::test {
namespace {

const std::string kBel = "\a";
const std::string kIni = "#CEVALFUNC frequency 0.5\n#GEVALFUNC frequency 0\n";
const std::string kTwoGraphs = "1 a\n2 b 1(x)\n\n1 a\n2 b 1(x)\n";
const std::vector<std::string> kArgs = {"-c", "1", "-d", "0", "-s", "1", "-f", "a.txt", "-b", "1"};

std::string ini_with(const std::string& chunk, const std::string& good_pair) {
  return "#CEVALFUNC " + chunk + "\n#GEVALFUNC " + good_pair + "\n";
}

// One node line linking to `links` further nodes, then their lines.
std::string star(int links) {
  std::string text = "1 hub";
  for (int k = 2; k <= links + 1; ++k) text += " " + std::to_string(k) + "(e)";
  text += "\n";
  for (int k = 2; k <= links + 1; ++k) text += std::to_string(k) + " leaf\n";
  return text;
}

struct Broken_case {
  const char* name;
  std::map<std::string, std::string> files;
  std::vector<std::string> directories;  // made in place of files
  int status;
  std::string err;  // exact; a successful run must write nothing to standard error
  std::vector<std::string> args = kArgs;
};

std::map<std::string, std::string> data(const std::string& text, const std::string& ini = kIni) {
  return {{"a.txt", text}, {"murex.ini", ini}};
}

const std::vector<Broken_case> kCases = {
    // Data files.
    {"EmptyDataFileIsOneEmptyGraph", data(""), {}, 0, ""},
    {"BinaryDataFile", data(std::string("\x00\x01\xff\xfe\n\x00", 6)), {}, 1,
     "Error: child_node (file_name: a.txt, line: 1)" + kBel + "\n"},
    {"DataFileIsADirectory", {{"murex.ini", kIni}}, {"a.txt"}, 1, "Error: Unable to read a.txt" + kBel + "\n"},
    {"MissingDataFile", {{"murex.ini", kIni}}, {}, 1, "Error: Unable to open a.txt" + kBel + "\n"},
    {"NulByteInsideALabel", data(std::string("1 a\0b\n2 b 1(x\0y)\n", 17)), {}, 0, ""},
    {"NulByteAloneOnALine", data(std::string("1 a\n\0\n", 6)), {}, 1,
     "Error: child_node (file_name: a.txt, line: 2)" + kBel + "\n"},
    {"NonUtf8Labels", data("1 \xff\xfe\n2 \xc3 1(\x80)\n"), {}, 0, ""},
    {"VeryLongLine", data(star(20000)), {}, 0, "", {"-c", "1", "-d", "0", "-s", "1", "-f", "a.txt", "-b", "0"}},
    {"VeryLongLabels", data("1 " + std::string(1000000, 'n') + "\n2 b 1(" + std::string(1000000, 'l') + ")\n"), {},
     0, ""},
    {"LinkToNodeTwoThousandMillion", data("1 a\n2 b 2000000000(x)\n"), {}, 1,
     "Error: child_node 2000000000 has no node line (file_name: a.txt, line: 2)" + kBel + "\n"},
    {"LinkToANumberBeyondAnyIntegerNamesItAsWritten", data("1 a\n2 b +00099999999999999999999999(x)\n"), {}, 1,
     "Error: child_node 99999999999999999999999 has no node line (file_name: a.txt, line: 2)" + kBel + "\n"},
    {"LinkToTheLargestNodeNumberIsReportedAtTheGraphEnd", data("1 a\n2 b 2147483647(x)\n3 c\n\n1 a\n"), {}, 1,
     "Error: child_node 2147483647 has no node line (file_name: a.txt, line: 2)" + kBel + "\n"},
    {"LinkToNodeZero", data("1 a\n2 b 0(x)\n"), {}, 1, "Error: child_node (file_name: a.txt, line: 2)" + kBel + "\n"},
    {"LinkToANegativeNode", data("1 a\n2 b -3(x)\n"), {}, 1,
     "Error: child_node (file_name: a.txt, line: 2)" + kBel + "\n"},
    {"NegativeAndZeroNodeNumbersAreNotRead", data("-5 a\n0 b 1(x)\n"), {}, 0, ""},
    {"DuplicateNodeLinesAreTwoNodes", data("1 a\n1 a\n2 b 1(x) 2(y)\n"), {}, 0, ""},
    {"SelfLink", data("1 a 1(x)\n2 b 1(y)\n"), {}, 0, ""},
    {"UnclosedLinkLabel", data("1 a\n2 b 1(x\n"), {}, 1,
     "Error: link_label (file_name: a.txt, line: 2)" + kBel + "\n"},
    // murex.ini.
    {"UnknownChunkFunction", data(kTwoGraphs, ini_with("nosuch 0.5", "frequency 0")), {}, 1,
     "Error: main.cpp(<line>)" + kBel + "\n"},
    {"UnknownGoodPairFunction", data(kTwoGraphs, ini_with("frequency 0.5", "nosuch 0")), {}, 1,
     "Error: main.cpp(<line>)" + kBel + "\n"},
    {"NanThresholds", data(kTwoGraphs, ini_with("frequency nan", "frequency nan")), {}, 0, ""},
    {"InfiniteThresholds", data(kTwoGraphs, ini_with("frequency 1e999", "gini -1e999")), {}, 0, ""},
    {"ThresholdThatIsNoNumberReadsAsZero", data(kTwoGraphs, ini_with("frequency abc", "info_gain x")), {}, 0, ""},
    {"BinaryMurexIni", data(kTwoGraphs, "\xff\xfe\x01\n"), {}, 1, "Wrong murex.ini: \xff\xfe\x01" + kBel + "\n"},
    {"EmptyMurexIni", data(kTwoGraphs, ""), {}, 1, "Error: main.cpp(<line>)" + kBel + "\n"},
    {"MurexIniIsADirectory", {{"a.txt", kTwoGraphs}}, {"murex.ini"}, 1,
     "Error: Unable to read murex.ini" + kBel + "\n"},
    // efrl.ini, read by the link-weighted chunk evaluation functions.
    {"EfrlIniIsADirectory", data(kTwoGraphs, ini_with("frequency_regarding_link 0.5", "frequency 0")),
     {"efrl.ini"}, 1, "Error : efrl.ini\n"},
    // The command line.
    {"HugeClassCountAllocatesNothing", data(kTwoGraphs), {}, 1,
     "Error : The filename for Class 2 is not set yet." + kBel + "\n",
     {"-c", "2000000000", "-f", "a.txt"}},
};

class Broken_input : public ::testing::TestWithParam<Broken_case> {};

TEST_P(Broken_input, EndsWithItsResultOrOneClearMessage) {
  const Broken_case& c = GetParam();
  Scratch_dir scratch;
  for (const auto& directory : c.directories) std::filesystem::create_directory(scratch.path() / directory);
  const Run_result result = run_murex(scratch, c.args, c.files);
  const std::string err = std::regex_replace(result.err, std::regex(R"(\.cpp\([0-9]+\))"), ".cpp(<line>)");
  EXPECT_EQ(result.status, c.status);
  EXPECT_EQ(err, c.err);
  if (c.status == 0) {
    // A complete run wrote its result.
    EXPECT_EQ(result.file("good_pair.out").rfind("Good_pairs", 0), 0u);
    EXPECT_NE(result.out.find("Done."), std::string::npos);
  } else {
    EXPECT_FALSE(result.has_file("good_pair.out"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Broken_input, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Line ends: CRLF and a mix of LF and CRLF read as the same graphs as LF
// (the initial status report lists the same labels and counts).
std::string report_without_date(const std::string& report) {
  return std::regex_replace(report, std::regex(R"(\n[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\d \d\d:\d\d:\d\d \d{4}\n)"),
                            "\n<date>\n");
}

TEST(Line_ends, CrlfAndMixedReadAsLf) {
  const std::string lf = "1 a\n2 b 1(x) 3(y)\n3 c\n\n1 a\n2 c 1(x)\n\n1 b\n2 a 1(y)\n";
  std::string crlf;
  std::string mixed;
  bool odd = false;
  for (const char ch : lf) {
    if (ch == '\n') {
      crlf += "\r\n";
      mixed += odd ? "\r\n" : "\n";
      odd = !odd;
    } else {
      crlf += ch;
      mixed += ch;
    }
  }
  Scratch_dir lf_dir;
  const Run_result expected = run_murex(lf_dir, kArgs, data(lf));
  ASSERT_EQ(expected.status, 0) << expected.err;
  for (const std::string& text : {crlf, mixed}) {
    Scratch_dir scratch;
    const Run_result result = run_murex(scratch, kArgs, data(text));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.file("good_pair.out"), expected.file("good_pair.out"));
    EXPECT_EQ(report_without_date(result.file("initial_status.out")),
              report_without_date(expected.file("initial_status.out")));
  }
}

}  // namespace
}  // namespace murex::test
