#include "report/text_lines.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "report/report_error.h"

namespace murex::report {

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

std::string read_whole_file(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw Report_error(path.string(), "is a folder, not a file");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Report_error(path.string(), "cannot be opened for reading");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw Report_error(path.string(), "cannot be read");
  return bytes.str();
}

std::vector<std::string> split_fields(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string::npos) {
      fields.push_back(text.substr(start));
      return fields;
    }
    fields.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

bool parse_integer(const std::string& text, long long& value) {
  if (text.empty()) return false;
  std::size_t k = text[0] == '-' ? 1 : 0;
  if (k == text.size()) return false;
  for (std::size_t j = k; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return false;
  }
  errno = 0;
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && end == text.c_str() + text.size();
}

}  // namespace murex::report
