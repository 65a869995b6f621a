#include "report/good_pair_file.h"

#include <cstdlib>

#include "report/report_error.h"
#include "report/text_lines.h"

namespace murex::report {
namespace {

bool starts_with(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

class Good_pair_parser {
 public:
  Good_pair_parser(const std::string& text, const std::string& file) : lines_(split_lines(text)), file_(file) {}

  Good_pair_file parse() {
    Good_pair_file result;
    if (lines_.empty() || lines_[0] != "Good_pairs ") fail(0, "expected the heading \"Good_pairs \"");
    std::size_t at = 1;
    while (at < lines_.size()) {
      if (lines_[at].empty()) {  // tolerate extra empty lines between entries
        ++at;
        continue;
      }
      Good_pair_entry entry;
      entry.line = at + 1;
      entry.node_labels = numbers(at, "node label numbers");
      if (entry.node_labels.empty()) fail(at, "an entry without node label numbers");
      ++at;
      if (at >= lines_.size()) fail(at, "the entry ends before its link code");
      entry.code = numbers(at, "link code");
      ++at;
      while (at < lines_.size() && starts_with(lines_[at], "    ")) {
        entry.graphs.push_back(numbers(at, "graph numbers"));
        ++at;
      }
      if (at >= lines_.size() || !starts_with(lines_[at], "evaluation= ")) {
        fail(at, "expected \"evaluation= \" after the graph number lines");
      }
      entry.score_text = lines_[at].substr(12);
      char* end = nullptr;
      entry.score = std::strtod(entry.score_text.c_str(), &end);
      if (entry.score_text.empty() || end != entry.score_text.c_str() + entry.score_text.size()) {
        fail(at, "the score \"" + entry.score_text + "\" is not a number");
      }
      ++at;
      if (entry.graphs.empty()) fail(entry.line - 1, "the entry lists no class");
      if (result.entries.empty()) {
        result.class_count = entry.graphs.size();
      } else if (entry.graphs.size() != result.class_count) {
        fail(entry.line - 1, "the entry lists " + std::to_string(entry.graphs.size()) + " classes, earlier ones " +
                                 std::to_string(result.class_count));
      }
      result.entries.push_back(std::move(entry));
    }
    return result;
  }

 private:
  [[noreturn]] void fail(std::size_t index, const std::string& what) const {
    throw Report_error(file_, index + 1, what);
  }

  // The blank-separated whole numbers of line `index`.
  std::vector<std::int64_t> numbers(std::size_t index, const char* what) const {
    std::vector<std::int64_t> values;
    for (const std::string& field : split_fields(lines_[index], ' ')) {
      if (field.empty()) continue;
      long long value = 0;
      if (!parse_integer(field, value)) fail(index, std::string("bad ") + what + " \"" + lines_[index] + "\"");
      values.push_back(value);
    }
    return values;
  }

  std::vector<std::string> lines_;
  const std::string& file_;
};

}  // namespace

Good_pair_file parse_good_pairs(const std::string& text, const std::string& file) {
  return Good_pair_parser(text, file).parse();
}

Good_pair_file read_good_pairs(const std::filesystem::path& path) {
  return parse_good_pairs(read_whole_file(path), path.string());
}

}  // namespace murex::report
