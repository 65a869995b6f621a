#pragma once
// Names for label numbers (node labels, link labels or classes), read from a
// file of "number name" lines or from the label section of a dataset readme.
//
// A file with no heading is a plain list: every non-blank line must be
// "number name" (the name is the rest of the line, trimmed). A file with
// headings (a line mentioning "node label", "edge label", "class label" or
// "graph label") is a readme: only the "number name" lines under the wanted
// heading count, everything else is text and ignored.

#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <string>

namespace murex::convert {

class Label_names {
 public:
  enum class Section { node, edge, graph_class };

  // Reads the names of `section` (every entry of a plain file). Throws
  // Convert_error for a line of a plain file that does not parse, a number
  // named twice, or when no name at all is found and `required` is set.
  static Label_names read(std::istream& in, const std::string& source, Section section, bool required = true);

  bool empty() const { return names_.empty(); }
  const std::string& source() const { return source_; }
  // The name of the label written as `value` (a decimal number), if any.
  std::optional<std::string> name_of(const std::string& value) const;

 private:
  std::string source_;
  std::map<std::int64_t, std::string> names_;
};

// The names a conversion applies; a null pointer keeps values as they are.
struct Label_name_set {
  const Label_names* node = nullptr;
  const Label_names* edge = nullptr;
  const Label_names* graph_class = nullptr;
};

}  // namespace murex::convert
