#pragma once
// The entries of murex's good_pair.out exactly as written: per accepted
// pattern, the node label numbers in canonical order, the link code, the
// graph numbers of each class (1-based within the class) and the score.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace murex::report {

struct Good_pair_entry {
  std::size_t line = 0;  // line of the node label numbers, 1-based
  std::vector<std::int64_t> node_labels;
  std::vector<std::int64_t> code;
  std::vector<std::vector<std::int64_t>> graphs;  // one list per class
  double score = 0.0;
  std::string score_text;  // as written after "evaluation= "
};

struct Good_pair_file {
  std::vector<Good_pair_entry> entries;
  // The number of classes every entry lists, or 0 when the file has no entry.
  std::size_t class_count = 0;
};

// Throws Report_error naming `file` and the line when the text is malformed.
Good_pair_file parse_good_pairs(const std::string& text, const std::string& file);

Good_pair_file read_good_pairs(const std::filesystem::path& path);

}  // namespace murex::report
