#pragma once
// The one error type of murex-report: what is wrong, and where (a file and,
// when it is about one line, its 1-based number). The program prints it as
// "murex-report: <file>:<line>: <what>" and ends with status 1.

#include <cstddef>
#include <stdexcept>
#include <string>

namespace murex::report {

class Report_error : public std::runtime_error {
 public:
  Report_error(std::string file, std::size_t line, const std::string& what)
      : std::runtime_error(what), file_(std::move(file)), line_(line) {}
  Report_error(std::string file, const std::string& what) : Report_error(std::move(file), 0, what) {}

  const std::string& file() const { return file_; }
  std::size_t line() const { return line_; }  // 0 when the error is about the whole file
  // "<file>:<line>: <what>", or "<file>: <what>" without a line.
  std::string message() const {
    std::string text = file_;
    if (line_ != 0) text += ":" + std::to_string(line_);
    return text + ": " + what();
  }

 private:
  std::string file_;
  std::size_t line_;
};

}  // namespace murex::report
