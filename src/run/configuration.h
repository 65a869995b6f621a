#pragma once
// murex.ini: names the chunk evaluation function (#CEVALFUNC) and the
// good-pair evaluation function (#GEVALFUNC), each with a threshold. Lines
// starting with "//" are comments; lines without tokens are ignored. Only
// blanks and tabs separate tokens.

#include <istream>
#include <string>
#include <vector>

namespace murex {

// Source of configuration lines, split into tokens.
class Tokenizer {
 public:
  virtual ~Tokenizer() = default;
  // Reads the next line into `line` and tokenizes it; returns the number of tokens.
  std::size_t read_line(std::istream& in);
  std::string line() const { return line_; }
  // Token i, or "" when there is no such token.
  std::string token(std::size_t i) const { return i < tokens_.size() ? tokens_[i] : std::string(); }

 protected:
  virtual std::size_t tokenize() = 0;
  std::string line_;
  std::vector<std::string> tokens_;
};

class Blank_tokenizer final : public Tokenizer {
 protected:
  std::size_t tokenize() override;
};

// Reads murex.ini (or `file_name`) and installs the two evaluation functions
// with their thresholds; a missing file or a wrong line ends the run. Returns
// false when either keyword never stood on a line with a known name and a
// threshold (the caller reports it).
bool read_configuration(const std::string& file_name = "murex.ini");

}  // namespace murex
