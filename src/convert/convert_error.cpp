#include "convert/convert_error.h"

namespace murex::convert {
namespace {

std::string located(const std::string& source, std::size_t line, const std::string& message) {
  std::string text = source;
  if (line != 0) text += ":" + std::to_string(line);
  return text + ": " + message;
}

}  // namespace

Convert_error::Convert_error(const std::string& source, std::size_t line, const std::string& message)
    : std::runtime_error(located(source, line, message)), source_(source), line_(line), detail_(message) {}

}  // namespace murex::convert
