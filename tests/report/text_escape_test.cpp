#include "report/text_escape.h"

#include <gtest/gtest.h>

namespace murex::report {
namespace {

struct Escape_case {
  std::string text;
  std::string expected;
};

TEST(Text_escape, CsvFieldsFollowRfc4180) {
  const std::vector<Escape_case> cases = {
      {"plain", "plain"},          {"", ""},
      {"a,b", "\"a,b\""},          {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""}, {"cr\r", "\"cr\r\""},
      {" padded", "\" padded\""},  {"<x>&", "<x>&"},
  };
  for (const auto& c : cases) EXPECT_EQ(csv_field(c.text), c.expected) << c.text;
}

TEST(Text_escape, JsonStrings) {
  const std::vector<Escape_case> cases = {
      {"C", "\"C\""},
      {"\"q\"", "\"\\\"q\\\"\""},
      {"a\\b", "\"a\\\\b\""},
      {"tab\tnl\n", "\"tab\\tnl\\n\""},
      {std::string("\x01", 1), "\"\\u0001\""},
      {"\xC3\xA9", "\"\xC3\xA9\""},        // é stays
      {"bad\xFF", "\"bad\xEF\xBF\xBD\""},  // an invalid byte becomes U+FFFD
      {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},  // overlong form
  };
  for (const auto& c : cases) EXPECT_EQ(json_string(c.text), c.expected) << c.text;
}

TEST(Text_escape, JsonNumbersFromScores) {
  const std::vector<Escape_case> cases = {
      {"0.8", "0.8"}, {"-0.5", "-0.5"}, {"1e-05", "1e-05"}, {"0", "0"},     {"nan", "null"},
      {"-nan", "null"}, {"inf", "null"}, {"01", "null"},    {"1.", "null"}, {"", "null"},
  };
  for (const auto& c : cases) EXPECT_EQ(json_number_text(c.text), c.expected) << c.text;
  EXPECT_EQ(json_number(0.85), "0.85");
  EXPECT_EQ(json_number(1.0), "1");
}

TEST(Text_escape, HtmlAndDot) {
  EXPECT_EQ(html_escape("<a href=\"x\">&'</a>"), "&lt;a href=&quot;x&quot;&gt;&amp;&#39;&lt;/a&gt;");
  EXPECT_EQ(dot_string("say \"hi\" \\ now"), "\"say \\\"hi\\\" \\\\ now\"");
  EXPECT_EQ(dot_string("a,b"), "\"a,b\"");
}

}  // namespace
}  // namespace murex::report
