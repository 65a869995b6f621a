#include "convert/label_names.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "convert/convert_error.h"
#include "convert/text_lines.h"

namespace murex::convert {
namespace {

std::optional<Label_names::Section> heading(const std::string& line) {
  std::string lower(line);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (lower.find("node label") != std::string::npos) return Label_names::Section::node;
  if (lower.find("edge label") != std::string::npos) return Label_names::Section::edge;
  if (lower.find("class label") != std::string::npos || lower.find("graph label") != std::string::npos) {
    return Label_names::Section::graph_class;
  }
  return std::nullopt;
}

const char* section_word(Label_names::Section section) {
  switch (section) {
    case Label_names::Section::node: return "node label";
    case Label_names::Section::edge: return "edge label";
    case Label_names::Section::graph_class: return "class";
  }
  return "";
}

struct Entry {
  std::int64_t number;
  std::string name;
  std::size_t line;
};

// "number name" with a non-empty name, or nothing.
std::optional<Entry> entry_of(const std::string& line, std::size_t number) {
  const std::string_view text = trimmed(line);
  std::size_t split = 0;
  while (split < text.size() && text[split] != ' ' && text[split] != '\t') ++split;
  const auto value = parse_integer(text.substr(0, split));
  if (!value) return std::nullopt;
  const std::string_view name = trimmed(text.substr(split));
  if (name.empty()) return std::nullopt;
  return Entry{*value, std::string(name), number};
}

}  // namespace

Label_names Label_names::read(std::istream& in, const std::string& source, Section section, bool required) {
  // Gather every line first: whether the file is a readme is known only at its end.
  struct Line {
    std::string text;
    std::size_t number;
  };
  std::vector<Line> lines;
  bool readme = false;
  Text_lines reader(in, source);
  while (reader.next()) {
    if (heading(reader.line()) && !entry_of(reader.line(), 0)) readme = true;
    lines.push_back({reader.line(), reader.number()});
  }

  Label_names names;
  names.source_ = source;
  std::optional<Section> current;
  for (const Line& line : lines) {
    if (readme) {
      const auto entry = entry_of(line.text, line.number);
      if (!entry) {
        if (const auto next = heading(line.text)) current = next;
        continue;
      }
      if (current != section) continue;
      if (!names.names_.emplace(entry->number, entry->name).second) {
        throw Convert_error(source, line.number, "label " + std::to_string(entry->number) + " is named twice");
      }
      continue;
    }
    if (trimmed(line.text).empty()) continue;
    const auto entry = entry_of(line.text, line.number);
    if (!entry) throw Convert_error(source, line.number, "expected \"number name\", found \"" + line.text + "\"");
    if (!names.names_.emplace(entry->number, entry->name).second) {
      throw Convert_error(source, line.number, "label " + std::to_string(entry->number) + " is named twice");
    }
  }
  if (required && names.names_.empty()) {
    throw Convert_error(source, 0, std::string("no ") + section_word(section) + " names found");
  }
  return names;
}

std::optional<std::string> Label_names::name_of(const std::string& value) const {
  const auto number = parse_integer(value);
  if (!number) return std::nullopt;
  const auto found = names_.find(*number);
  if (found == names_.end()) return std::nullopt;
  return found->second;
}

}  // namespace murex::convert
