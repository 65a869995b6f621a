#include "convert/text_lines.h"

#include <charconv>

#include "convert/convert_error.h"

namespace murex::convert {
namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

bool Text_lines::next() {
  if (!std::getline(in_, line_)) return false;
  if (!line_.empty() && line_.back() == '\r') line_.pop_back();
  ++number_;
  return true;
}

void Text_lines::fail(const std::string& message) const { throw Convert_error(source_, number_, message); }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> blank_separated(std::string_view text) {
  std::vector<std::string> tokens;
  std::size_t k = 0;
  while (k < text.size()) {
    while (k < text.size() && is_space(text[k])) ++k;
    const std::size_t start = k;
    while (k < text.size() && !is_space(text[k])) ++k;
    if (k > start) tokens.emplace_back(text.substr(start, k - start));
  }
  return tokens;
}

std::optional<std::int64_t> parse_integer(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string compact(std::string_view text) {
  std::string out;
  for (const char c : trimmed(text)) {
    if (!is_space(c)) out.push_back(c);
  }
  return out;
}

}  // namespace murex::convert
