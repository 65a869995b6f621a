// The command line of murex-convert.

#include <gtest/gtest.h>

#include "convert/convert_options.h"
#include "convert_fixtures.h"

namespace murex::convert::test {
namespace {

using murex::test::PrintTo;  // parameterized cases print as their names

TEST(ConvertOptions, ReadsEachKind) {
  const auto tu = Convert_options::parse({"tu", "DIR", "-o", "OUT", "--prefix", "DS", "--names", "R"});
  EXPECT_EQ(tu.kind, Convert_options::Kind::tu);
  EXPECT_EQ(tu.inputs, std::vector<std::string>{"DIR"});
  EXPECT_EQ(tu.output, "OUT");
  EXPECT_EQ(tu.prefix, "DS");
  EXPECT_EQ(tu.names, "R");
  const auto chem = Convert_options::parse(
      {"chem", "a.sdf", "b.sdf", "--class-field", "F", "--threshold", "6.5", "--keep-hydrogens", "-o", "O"});
  EXPECT_EQ(chem.inputs, (std::vector<std::string>{"a.sdf", "b.sdf"}));
  EXPECT_EQ(chem.threshold, 6.5);
  EXPECT_EQ(chem.threshold_text, "6.5");
  EXPECT_TRUE(chem.keep_hydrogens);
  EXPECT_EQ(Convert_options::parse({"-h"}).kind, Convert_options::Kind::help);
  EXPECT_EQ(Convert_options::parse({"gspan", "--help"}).kind, Convert_options::Kind::help);
}

struct Bad_case {
  const char* name;
  std::vector<std::string> args;
  const char* words;
};

class ConvertOptionsErrors : public ::testing::TestWithParam<Bad_case> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertOptionsErrors,
    ::testing::Values(Bad_case{"nothing", {}, "no command"},
                      Bad_case{"unknown_command", {"sdf", "x", "-o", "o"}, "unknown command"},
                      Bad_case{"no_output", {"tu", "x"}, "-o OUT"},
                      Bad_case{"output_without_value", {"tu", "x", "-o"}, "-o needs a value"},
                      Bad_case{"no_input", {"tu", "-o", "o"}, "no input"},
                      Bad_case{"two_tu_inputs", {"tu", "x", "y", "-o", "o"}, "one input"},
                      Bad_case{"gspan_without_classes", {"gspan", "g", "-o", "o"}, "exactly one"},
                      Bad_case{"gspan_with_both", {"gspan", "g", "-o", "o", "--class", "a", "--classes", "c"},
                               "exactly one"},
                      Bad_case{"option_of_another_kind", {"tu", "x", "-o", "o", "--class-field", "F"},
                               "unknown option --class-field"},
                      Bad_case{"threshold_not_a_number", {"chem", "m", "-o", "o", "--class-field", "F", "--threshold", "x"},
                               "needs a number"},
                      Bad_case{"threshold_without_field", {"chem", "m", "-o", "o", "--threshold", "1"},
                               "needs --class-field"},
                      Bad_case{"option_twice", {"tu", "x", "-o", "o", "-o", "p"}, "twice"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(ConvertOptionsErrors, AreRejectedWithAReason) {
  try {
    Convert_options::parse(GetParam().args);
    FAIL() << "accepted";
  } catch (const Usage_error& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().words), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace murex::convert::test
