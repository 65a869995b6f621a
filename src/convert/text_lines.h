#pragma once
// Line-by-line reading of the plain-text inputs (TU files, gSpan files,
// class files, label-name files) with the small parsing helpers they share.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace murex::convert {

// Reads lines without their line ends (LF, CR LF or a lone final CR) and
// counts them from 1.
class Text_lines {
 public:
  Text_lines(std::istream& in, std::string source) : in_(in), source_(std::move(source)) {}
  bool next();  // false at the end of the stream
  const std::string& line() const { return line_; }
  std::size_t number() const { return number_; }
  const std::string& source() const { return source_; }
  // Throws Convert_error naming this source and the current line.
  [[noreturn]] void fail(const std::string& message) const;

 private:
  std::istream& in_;
  std::string source_;
  std::string line_;
  std::size_t number_ = 0;
};

// Blanks and tabs (and a stray CR) at both ends removed.
std::string_view trimmed(std::string_view text);
// Splits on runs of blanks and tabs.
std::vector<std::string> blank_separated(std::string_view text);
// A whole-token decimal integer (optional sign), or nothing.
std::optional<std::int64_t> parse_integer(std::string_view text);
// A value cell of a TU file: the trimmed line without blanks or tabs inside.
std::string compact(std::string_view text);

}  // namespace murex::convert
