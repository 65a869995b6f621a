#include "run/configuration.h"

#include <cstdlib>
#include <fstream>
#include <memory>

#include "eval/chunk_evaluation.h"
#include "eval/good_pair_evaluation.h"
#include "run/fatal.h"

namespace murex {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::unique_ptr<Chunk_evaluation_function> chunk_function(const std::string& name) {
  if (name == "frequency") return std::make_unique<Frequency>();
  if (name == "frequency_2") return std::make_unique<Frequency_2>();
  if (name == "frequency_3") return std::make_unique<Frequency_3>();
  if (name == "frequency_regarding_link") return std::make_unique<Frequency_regarding_link>();
  if (name == "frequency_regarding_link_2") return std::make_unique<Frequency_regarding_link_2>();
  if (name == "frequency_regarding_link_3") return std::make_unique<Frequency_regarding_link_3>();
  if (name == "gini") return std::make_unique<Gini>();
  return nullptr;
}

std::unique_ptr<Good_pair_evaluation_function> good_pair_function(const std::string& name) {
  if (name == "norm_prb") return std::make_unique<Norm_prb>();
  if (name == "gini") return std::make_unique<Good_pair_gini>();
  if (name == "frequency") return std::make_unique<Good_pair_frequency>();
  if (name == "info_gain") return std::make_unique<Info_gain>();
  return nullptr;
}

double threshold_value(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

}  // namespace

std::size_t Tokenizer::read_line(std::istream& in) {
  tokens_.clear();
  std::getline(in, line_);
  if (!in.eof() && !line_.empty() && line_.back() == '\r') line_.pop_back();
  return tokenize();
}

std::size_t Blank_tokenizer::tokenize() {
  std::size_t k = 0;
  while (k < line_.size()) {
    while (k < line_.size() && is_blank(line_[k])) ++k;
    const std::size_t start = k;
    while (k < line_.size() && !is_blank(line_[k])) ++k;
    if (k > start) tokens_.push_back(line_.substr(start, k - start));
  }
  return tokens_.size();
}

bool read_configuration(const std::string& file_name) {
  std::ifstream in(file_name, std::ios::binary);
  if (!in) fatal("Error: Unable to open murex.ini");
  bool chunk_set = false;
  bool good_pair_set = false;
  Blank_tokenizer tokenizer;
  while (in.peek() != std::char_traits<char>::eof()) {
    const std::size_t count = tokenizer.read_line(in);
    if (count == 0) continue;
    if (tokenizer.line().rfind("//", 0) == 0) continue;
    const std::string keyword = tokenizer.token(0);
    if (keyword == "#CEVALFUNC") {
      if (count < 2) continue;
      auto function = chunk_function(tokenizer.token(1));
      if (!function) continue;
      auto& holder = Chunk_evaluation_holder::instance();
      holder.set_function(std::move(function));
      if (count >= 3) {
        holder.set_threshold(threshold_value(tokenizer.token(2)));
        chunk_set = true;
      }
    } else if (keyword == "#GEVALFUNC") {
      if (count < 2) continue;
      auto function = good_pair_function(tokenizer.token(1));
      if (!function) continue;
      auto& holder = Good_pair_evaluation_holder::instance();
      holder.set_function(std::move(function));
      if (count >= 3) {
        holder.set_threshold(threshold_value(tokenizer.token(2)));
        good_pair_set = true;
      }
    } else {
      fatal("Wrong murex.ini: " + tokenizer.line());
    }
  }
  // A directory opens but cannot be read: it is not a murex.ini without lines.
  if (in.bad()) fatal("Error: Unable to read murex.ini");
  return chunk_set && good_pair_set;
}

}  // namespace murex
