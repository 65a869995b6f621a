#pragma once
// The error every murex-convert reader and writer throws for bad input or a
// failed write. It names the file (or stream) and, when known, the line, so
// the program's single message says exactly where the input went wrong. The
// library never prints and never exits: warnings go to a caller's sink.

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

namespace murex::convert {

class Convert_error : public std::runtime_error {
 public:
  // `line` 0 means the message is about the whole source.
  Convert_error(const std::string& source, std::size_t line, const std::string& message);
  const std::string& source() const { return source_; }
  std::size_t line() const { return line_; }
  // The message without the "source:line: " prefix.
  const std::string& detail() const { return detail_; }

 private:
  std::string source_;
  std::size_t line_;
  std::string detail_;
};

// Receives one warning line (without a trailing line end).
using Warning_sink = std::function<void(const std::string&)>;

}  // namespace murex::convert
