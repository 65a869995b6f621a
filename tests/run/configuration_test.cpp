// murex.ini: the blank-and-tab tokenizer, which function each line installs
// with which threshold, the lines that stop the run, and the missing
// keyword that the entry point turns into its internal-error message.

#include "run/configuration.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "eval/chunk_evaluation.h"
#include "eval/good_pair_evaluation.h"
#include "support/run_murex.h"

namespace murex {
namespace {

using test::PrintTo;  // cases print as their names

using test::exactly;

// ---------------------------------------------------------------------------
// Tokenizer

struct Token_case {
  const char* name;
  std::string line;
  std::vector<std::string> tokens;
};

const Token_case kTokenCases[] = {
    {"Empty", "", {}},
    {"BlanksAndTabsOnly", " \t  \t", {}},
    {"SingleToken", "gini", {"gini"}},
    {"RunsOfBlanksAndTabs", "  #CEVALFUNC \t\tgini\t 0.5  ", {"#CEVALFUNC", "gini", "0.5"}},
    {"OtherWhitespaceIsPartOfAToken", "a\vb c\fd", {"a\vb", "c\fd"}},
    {"SlashesAreAToken", " // x", {"//", "x"}},
};

class Blank_tokenizer_test : public ::testing::TestWithParam<Token_case> {};

TEST_P(Blank_tokenizer_test, SplitsAtBlanksAndTabsOnly) {
  const Token_case& c = GetParam();
  std::istringstream in(c.line + "\nnext line\n");
  Blank_tokenizer tokenizer;
  EXPECT_EQ(tokenizer.read_line(in), c.tokens.size());
  EXPECT_EQ(tokenizer.line(), c.line);
  for (std::size_t k = 0; k < c.tokens.size(); ++k) EXPECT_EQ(tokenizer.token(k), c.tokens[k]);
  EXPECT_EQ(tokenizer.token(c.tokens.size()), "");
  // The next line replaces the tokens of this one.
  EXPECT_EQ(tokenizer.read_line(in), 2u);
  EXPECT_EQ(tokenizer.token(0), "next");
  EXPECT_EQ(tokenizer.token(2), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, Blank_tokenizer_test, ::testing::ValuesIn(kTokenCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Reading murex.ini

std::string chunk_kind(const Chunk_evaluation_function* f) {
  if (f == nullptr) return "none";
  if (dynamic_cast<const Frequency*>(f)) return "frequency";
  if (dynamic_cast<const Frequency_2*>(f)) return "frequency_2";
  if (dynamic_cast<const Frequency_3*>(f)) return "frequency_3";
  if (dynamic_cast<const Frequency_regarding_link*>(f)) return "frequency_regarding_link";
  if (dynamic_cast<const Frequency_regarding_link_2*>(f)) return "frequency_regarding_link_2";
  if (dynamic_cast<const Frequency_regarding_link_3*>(f)) return "frequency_regarding_link_3";
  if (dynamic_cast<const Gini*>(f)) return "gini";
  return "unknown";
}

std::string good_pair_kind(const Good_pair_evaluation_function* f) {
  if (f == nullptr) return "none";
  if (dynamic_cast<const Good_pair_frequency*>(f)) return "frequency";
  if (dynamic_cast<const Good_pair_gini*>(f)) return "gini";
  if (dynamic_cast<const Info_gain*>(f)) return "info_gain";
  if (dynamic_cast<const Norm_prb*>(f)) return "norm_prb";
  return "unknown";
}

// Runs in a scratch directory that is the current directory.
class Configuration : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    Chunk_evaluation_holder::release();
    Good_pair_evaluation_holder::release();
  }

  void write(const std::string& name, const std::string& content) const { dir_.write(name, content); }

  test::Scratch_dir dir_;
  std::filesystem::path previous_;
};

struct Installed {
  bool complete;  // read_configuration's result
  std::string chunk;
  double chunk_threshold;
  std::string good_pair;
  double good_pair_threshold;
};

struct Config_case {
  const char* name;
  std::string content;
  Installed expected;
};

const Config_case kConfigCases[] = {
    {"Example", "// chunk function and its threshold\n#CEVALFUNC frequency 0.1\n#GEVALFUNC info_gain 0.0\n",
     {true, "frequency", 0.1, "info_gain", 0.0}},
    {"Frequency2AndNormPrb", "#CEVALFUNC frequency_2 0.3\n#GEVALFUNC norm_prb 0.6\n",
     {true, "frequency_2", 0.3, "norm_prb", 0.6}},
    {"Frequency3AndGini", "#GEVALFUNC gini 0.05\n#CEVALFUNC frequency_3 2\n",
     {true, "frequency_3", 2.0, "gini", 0.05}},
    {"GiniAndFrequency", "#CEVALFUNC gini -1\n#GEVALFUNC frequency 0.75\n", {true, "gini", -1.0, "frequency", 0.75}},
    {"EmptyFile", "", {false, "none", 0.0, "none", 0.0}},
    {"OnlyCommentsAndBlankLines", "// one\n\n   \n\t\n//#CEVALFUNC gini 1\n//\n", {false, "none", 0.0, "none", 0.0}},
    {"ChunkNameWithoutThreshold", "#CEVALFUNC frequency\n#GEVALFUNC gini 0.5\n",
     {false, "frequency", 0.0, "gini", 0.5}},
    {"GoodPairNameWithoutThreshold", "#CEVALFUNC gini 0.5\n#GEVALFUNC info_gain\n",
     {false, "gini", 0.5, "info_gain", 0.0}},
    {"LaterLineGivesTheThreshold", "#CEVALFUNC frequency\n#GEVALFUNC gini 0.5\n#CEVALFUNC gini 0.5\n",
     {true, "gini", 0.5, "gini", 0.5}},
    {"LastFunctionWinsWithItsOwnThreshold", "#CEVALFUNC frequency 0.2\n#CEVALFUNC gini\n#GEVALFUNC norm_prb 0.3\n",
     {true, "gini", 0.0, "norm_prb", 0.3}},
    {"LastGoodPairFunctionWins", "#GEVALFUNC gini 0.1\n#CEVALFUNC frequency 0\n#GEVALFUNC norm_prb 0.9\n",
     {true, "frequency", 0.0, "norm_prb", 0.9}},
    {"UnknownNamesIgnored",
     "#CEVALFUNC bogus 0.9\n#CEVALFUNC frequency 0.1\n#CEVALFUNC Gini 0.8\n#GEVALFUNC info_gain 0.2\n"
     "#GEVALFUNC FREQUENCY 0.7\n#GEVALFUNC frequency_2 0.6\n",
     {true, "frequency", 0.1, "info_gain", 0.2}},
    {"UnknownNameSetsNothing", "#CEVALFUNC bogus 0.9\n#GEVALFUNC info_gain 0.2\n",
     {false, "none", 0.0, "info_gain", 0.2}},
    {"KeywordAloneIgnored", "#CEVALFUNC\n#GEVALFUNC \t\n#CEVALFUNC gini 0.4\n#GEVALFUNC norm_prb 0.6\n#CEVALFUNC\n",
     {true, "gini", 0.4, "norm_prb", 0.6}},
    {"ThresholdIsItsNumericPrefix", "#CEVALFUNC gini abc\n#GEVALFUNC norm_prb 0.25xyz\n",
     {true, "gini", 0.0, "norm_prb", 0.25}},
    {"TabsBlanksAndExtraTokens", "\t#CEVALFUNC \t gini\t\t0.125  extra tokens\n  #GEVALFUNC   frequency\t1e-2 x\n",
     {true, "gini", 0.125, "frequency", 0.01}},
    {"LastLineWithoutNewline", "#CEVALFUNC gini 0.5\n#GEVALFUNC info_gain 0.1", {true, "gini", 0.5, "info_gain", 0.1}},
};

class Configuration_file : public Configuration, public ::testing::WithParamInterface<Config_case> {};

TEST_P(Configuration_file, InstallsTheNamedFunctionsWithTheirThresholds) {
  const Config_case& c = GetParam();
  write("murex.ini", c.content);
  EXPECT_EQ(read_configuration(), c.expected.complete);
  const Chunk_evaluation_function* chunk = Chunk_evaluation_holder::instance().get();
  const Good_pair_evaluation_function* good_pair = Good_pair_evaluation_holder::instance().get();
  EXPECT_EQ(chunk_kind(chunk), c.expected.chunk);
  EXPECT_EQ(good_pair_kind(good_pair), c.expected.good_pair);
  if (chunk != nullptr) {
    EXPECT_DOUBLE_EQ(chunk->get_threshold(), c.expected.chunk_threshold);
  }
  if (good_pair != nullptr) {
    EXPECT_DOUBLE_EQ(good_pair->get_threshold(), c.expected.good_pair_threshold);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Configuration_file, ::testing::ValuesIn(kConfigCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Configuration, LinkWeightedFunctionsReadEfrlIni) {
  const std::vector<std::string> names = {"frequency_regarding_link", "frequency_regarding_link_2",
                                          "frequency_regarding_link_3"};
  write("efrl.ini", "x,0.5\n");
  for (const std::string& name : names) {
    write("murex.ini", "#CEVALFUNC " + name + " 0.2\n#GEVALFUNC gini 0\n");
    EXPECT_TRUE(read_configuration());
    EXPECT_EQ(chunk_kind(Chunk_evaluation_holder::instance().get()), name);
    EXPECT_DOUBLE_EQ(Chunk_evaluation_holder::instance().get()->get_threshold(), 0.2);
  }
}

struct Fatal_case {
  const char* name;
  std::string murex_ini;
  const char* efrl_ini;  // null: no efrl.ini
  std::string message;
};

const std::string kBel = "\a";

const Fatal_case kFatalCases[] = {
    {"IndentedComment", " // a comment\n#CEVALFUNC gini 0\n#GEVALFUNC gini 0\n", nullptr,
     "Wrong murex.ini:  // a comment" + kBel + "\n"},
    {"KeywordInLowerCase", "#cevalfunc gini 0.5\n", nullptr, "Wrong murex.ini: #cevalfunc gini 0.5" + kBel + "\n"},
    {"NoKeyword", "#CEVALFUNC gini 0.5\ngini 0.5\n#GEVALFUNC gini 0\n", nullptr,
     "Wrong murex.ini: gini 0.5" + kBel + "\n"},
    {"SingleSlash", "/ comment\n", nullptr, "Wrong murex.ini: / comment" + kBel + "\n"},
    {"WholeLineWithTabsIsQuoted", "\t#GEVALFUNCX  info_gain\t0\n", nullptr,
     "Wrong murex.ini: \t#GEVALFUNCX  info_gain\t0" + kBel + "\n"},
    {"FirstWrongLineOnly", "first\nsecond\n", nullptr, "Wrong murex.ini: first" + kBel + "\n"},
    {"WrongLineAfterCompleteSettings", "#CEVALFUNC gini 0\n#GEVALFUNC gini 0\nextra", nullptr,
     "Wrong murex.ini: extra" + kBel + "\n"},
    {"LinkWeightsMissing", "#CEVALFUNC frequency_regarding_link 0.1\n#GEVALFUNC gini 0\n", nullptr,
     "Error : efrl.ini\n"},
    {"LinkWeightsMissingEvenIfReplacedLater",
     "#CEVALFUNC frequency_regarding_link_2 0.1\n#CEVALFUNC gini 0.1\n#GEVALFUNC gini 0\n", nullptr,
     "Error : efrl.ini\n"},
    {"LinkWeightsWithBlankLine", "#CEVALFUNC frequency_regarding_link_3 0.1\n#GEVALFUNC gini 0\n", "x,1\n\n",
     "Error : efrl.ini\n"},
};

class Configuration_DeathTest : public Configuration, public ::testing::WithParamInterface<Fatal_case> {};

TEST_P(Configuration_DeathTest, EndsTheRunWithItsMessage) {
  const Fatal_case& c = GetParam();
  write("murex.ini", c.murex_ini);
  if (c.efrl_ini != nullptr) write("efrl.ini", c.efrl_ini);
  EXPECT_EXIT(read_configuration(), ::testing::ExitedWithCode(1), exactly(c.message));
}

INSTANTIATE_TEST_SUITE_P(Cases, Configuration_DeathTest, ::testing::ValuesIn(kFatalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Configuration, MissingFileEndsTheRun) {
  EXPECT_EXIT(read_configuration(), ::testing::ExitedWithCode(1),
              exactly("Error: Unable to open murex.ini" + kBel + "\n"));
}

// The entry point reports an incomplete murex.ini with its internal-error message.
struct Incomplete_case {
  const char* name;
  std::string murex_ini;
};

const Incomplete_case kIncompleteCases[] = {
    {"Empty", ""},
    {"CommentsOnly", "// nothing here\n\n"},
    {"ChunkThresholdMissing", "#CEVALFUNC frequency\n#GEVALFUNC gini 0.5\n"},
    {"GoodPairKeywordMissing", "#CEVALFUNC frequency 0.1\n"},
};

class Incomplete_configuration : public ::testing::TestWithParam<Incomplete_case> {};

TEST_P(Incomplete_configuration, EntryPointStopsWithItsInternalError) {
  test::Scratch_dir scratch;
  const auto result = test::run_murex(scratch, {"-c", "1", "-f", "data.txt"},
                                      {{"murex.ini", GetParam().murex_ini}, {"data.txt", "1 a 2(x)\n2 b\n"}});
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(std::regex_match(result.err, std::regex("Error: main\\.cpp\\([0-9]+\\)\a\n"))) << result.err;
  EXPECT_EQ(result.out, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, Incomplete_configuration, ::testing::ValuesIn(kIncompleteCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace murex
