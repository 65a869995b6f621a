#include "report/run_status.h"

#include <vector>

#include "report/report_error.h"
#include "report/text_lines.h"

namespace murex::report {
namespace {

bool starts_with(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

class Status_parser {
 public:
  Status_parser(const std::string& text, const std::string& file) : lines_(split_lines(text)), file_(file) {}

  Run_status parse() {
    std::size_t start = lines_.size();
    for (std::size_t k = 0; k < lines_.size(); ++k) {
      // A report starts with a rule, the date and an empty line; checking them
      // keeps a node label printed at the start of a line from passing for it.
      if (k >= 3 && starts_with(lines_[k], "#_of_class_= ") && lines_[k - 1].empty() &&
          lines_[k - 3] == std::string(80, '-')) {
        start = k;
      }
    }
    if (start == lines_.size()) throw Report_error(file_, "holds no run report (no \"#_of_class_= \" line)");
    Run_status status;
    long long classes = 0;
    if (!parse_integer(lines_[start].substr(13), classes) || classes < 0) fail(start, "bad class count");
    status.class_count = static_cast<std::size_t>(classes);

    const std::size_t kind = start + 1;
    if (kind >= lines_.size()) fail(kind, "missing graph kind line");
    const std::string& line = lines_[kind];
    std::string rest;
    if (starts_with(line, "Directed")) {
      status.directed = true;
      rest = line.substr(8);
    } else if (starts_with(line, "Undirected")) {
      status.directed = false;
      rest = line.substr(10);
    } else {
      fail(kind, "expected \"Directed\" or \"Undirected\", found \"" + line + "\"");
    }
    if (starts_with(rest, "Induced Subgraph")) {
      status.induced = true;
    } else if (starts_with(rest, "Subgraph")) {
      status.induced = false;
    } else {
      fail(kind, "expected \"Subgraph\" or \"Induced Subgraph\" after the direction");
    }

    std::size_t at = kind + 1;
    status.node_labels = table(at, "Node_label (");
    status.link_labels = table(at, "Link_label (");
    return status;
  }

 private:
  [[noreturn]] void fail(std::size_t index, const std::string& what) const {
    throw Report_error(file_, index + 1, what);
  }

  // Finds the heading "<prefix>n)" from `at` on and reads the n lines after it.
  std::map<std::int64_t, Label_entry> table(std::size_t& at, const std::string& prefix) {
    while (at < lines_.size() && !starts_with(lines_[at], prefix)) ++at;
    if (at == lines_.size()) throw Report_error(file_, "the last run report has no \"" + prefix + "\" table");
    const std::string& heading = lines_[at];
    long long size = 0;
    if (heading.back() != ')' ||
        !parse_integer(heading.substr(prefix.size(), heading.size() - prefix.size() - 1), size) || size < 0) {
      fail(at, "malformed table heading \"" + heading + "\"");
    }
    std::map<std::int64_t, Label_entry> entries;
    for (long long k = 0; k < size; ++k) {
      ++at;
      if (at >= lines_.size()) fail(at, "the table ends early");
      const std::string& row = lines_[at];
      // " <number> <name> <count>"; names never hold blanks but may be empty.
      const std::size_t first = row.find(' ', 1);
      const std::size_t last = row.rfind(' ');
      long long number = 0;
      long long count = 0;
      if (row.empty() || row[0] != ' ' || first == std::string::npos || last <= first ||
          !parse_integer(row.substr(1, first - 1), number) || !parse_integer(row.substr(last + 1), count) ||
          number <= 0) {
        fail(at, "malformed label line \"" + row + "\" (expected \" number name count\")");
      }
      if (!entries.emplace(number, Label_entry{row.substr(first + 1, last - first - 1), count}).second) {
        fail(at, "label number " + std::to_string(number) + " appears twice");
      }
    }
    ++at;
    return entries;
  }

  std::vector<std::string> lines_;
  const std::string& file_;
};

}  // namespace

Run_status parse_run_status(const std::string& text, const std::string& file) {
  return Status_parser(text, file).parse();
}

Run_status read_run_status(const std::filesystem::path& path) {
  return parse_run_status(read_whole_file(path), path.string());
}

}  // namespace murex::report
