#pragma once
// Reading murex's text files line by line the way murex itself reads them:
// a line ends at a line feed, and a carriage return just before that line
// feed is not part of the line (one at the very end of the file, with no
// line feed after it, is kept).

#include <filesystem>
#include <string>
#include <vector>

namespace murex::report {

// Splits `text` into lines by the rule above; a final line feed starts no line.
std::vector<std::string> split_lines(const std::string& text);

// The whole file as bytes; throws Report_error naming the file when it cannot be read.
std::string read_whole_file(const std::filesystem::path& path);

// Splits `text` at every occurrence of `separator` (an empty text gives one empty field).
std::vector<std::string> split_fields(const std::string& text, char separator);

// Parses a whole decimal integer (optional '-'); false when `text` is anything else or overflows.
bool parse_integer(const std::string& text, long long& value);

}  // namespace murex::report
