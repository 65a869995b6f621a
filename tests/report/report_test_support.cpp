#include "report_test_support.h"

#include <gtest/gtest.h>

#include <cctype>

namespace murex::report::test {

namespace fs = std::filesystem;

murex::test::Run_result make_run(murex::test::Scratch_dir& scratch, const std::string& fixture,
                                 const std::vector<std::string>& args) {
  for (const auto& entry : fs::directory_iterator(fs::path(MUREX_REPORT_FIXTURES) / fixture)) {
    fs::copy_file(entry.path(), scratch.path() / entry.path().filename());
  }
  auto result = murex::test::run_in(scratch.path(), args);
  if (result.status != 0) ADD_FAILURE() << "murex failed on fixture " << fixture << ":\n" << result.err;
  return result;
}

murex::test::Run_result run_report(const fs::path& dir, const std::vector<std::string>& args) {
  return murex::test::run_in(dir, args, MUREX_REPORT_BINARY);
}

std::vector<std::vector<std::string>> parse_csv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  bool row_started = false;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (quoted) {
      if (c == '"' && k + 1 < text.size() && text[k + 1] == '"') {
        field += '"';
        ++k;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
      row_started = true;
    } else if (c == ',') {
      row.push_back(field);
      field.clear();
      row_started = true;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
      row.push_back(field);
      rows.push_back(row);
      row.clear();
      field.clear();
      row_started = false;
    } else {
      field += c;
      row_started = true;
    }
  }
  if (row_started) {
    row.push_back(field);
    rows.push_back(row);
  }
  return rows;
}

}  // namespace murex::report::test

namespace murex::report::test {
namespace {

class Json_checker {
 public:
  explicit Json_checker(const std::string& text) : text_(text) {}

  bool check(std::size_t& where) {
    const bool good = value() && (space(), at_ == text_.size());
    where = at_;
    return good;
  }

 private:
  void space() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t')) {
      ++at_;
    }
  }
  bool literal(const char* word) {
    const std::string w(word);
    if (text_.compare(at_, w.size(), w) != 0) return false;
    at_ += w.size();
    return true;
  }
  bool digits() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    return at_ > start;
  }
  bool number() {
    if (text_[at_] == '-') ++at_;
    if (at_ < text_.size() && text_[at_] == '0') {
      ++at_;
    } else if (!digits()) {
      return false;
    }
    if (at_ < text_.size() && text_[at_] == '.' && (++at_, !digits())) return false;
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
      if (!digits()) return false;
    }
    return true;
  }
  bool string() {
    ++at_;  // the opening quote
    while (at_ < text_.size()) {
      const auto c = static_cast<unsigned char>(text_[at_]);
      if (c == '"') {
        ++at_;
        return true;
      }
      if (c < 0x20) return false;
      if (c == '\\') {
        ++at_;
        if (at_ >= text_.size()) return false;
        const char e = text_[at_];
        if (e == 'u') {
          for (int k = 0; k < 4; ++k) {
            ++at_;
            if (at_ >= text_.size() || !std::isxdigit(static_cast<unsigned char>(text_[at_]))) return false;
          }
        } else if (std::string("\"\\/bfnrt").find(e) == std::string::npos) {
          return false;
        }
      }
      ++at_;
    }
    return false;
  }
  bool value() {
    space();
    if (at_ >= text_.size()) return false;
    const char c = text_[at_];
    if (c == '{' || c == '[') {
      const char close = c == '{' ? '}' : ']';
      ++at_;
      space();
      if (at_ < text_.size() && text_[at_] == close) return ++at_, true;
      for (;;) {
        if (c == '{') {
          space();
          if (at_ >= text_.size() || text_[at_] != '"' || !string()) return false;
          space();
          if (at_ >= text_.size() || text_[at_] != ':') return false;
          ++at_;
        }
        if (!value()) return false;
        space();
        if (at_ >= text_.size()) return false;
        if (text_[at_] == close) return ++at_, true;
        if (text_[at_] != ',') return false;
        ++at_;
      }
    }
    if (c == '"') return string();
    if (c == 't') return literal("true");
    if (c == 'f') return literal("false");
    if (c == 'n') return literal("null");
    return number();
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

}  // namespace

bool is_valid_json(const std::string& text, std::size_t& where) { return Json_checker(text).check(where); }

}  // namespace murex::report::test
