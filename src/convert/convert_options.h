#pragma once
// The command line of murex-convert:
//
//   murex-convert tu FOLDER -o OUT [--prefix DS] [names]
//   murex-convert gspan FILE -o OUT (--classes FILE | --class NAME) [names]
//   murex-convert chem FILE... -o OUT [--class-field NAME [--threshold X]]
//                 [--keep-hydrogens] [--format EXT]
//   names: [--names README] [--node-names FILE] [--edge-names FILE] [--class-names FILE]

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace murex::convert {

// A command line that cannot be followed; the message says why.
class Usage_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Convert_options {
  enum class Kind { help, tu, gspan, chem };
  Kind kind = Kind::help;
  std::vector<std::string> inputs;  // the TU folder, the gSpan file, or the molecule files
  std::string output;
  std::string prefix;                   // tu: the file-name prefix (default: the folder's name)
  std::optional<std::string> names;     // a readme with node, edge and class label sections
  std::optional<std::string> node_names;
  std::optional<std::string> edge_names;
  std::optional<std::string> class_names;
  std::optional<std::string> classes;   // gspan: the class file
  std::optional<std::string> class_name;  // gspan: one class for all graphs
  std::optional<std::string> class_field;  // chem
  std::optional<double> threshold;         // chem, with class_field
  std::string threshold_text;              // as written, for the class names
  bool keep_hydrogens = false;             // chem
  std::optional<std::string> format;       // chem: the Open Babel format id

  // Throws Usage_error.
  static Convert_options parse(const std::vector<std::string>& args);
};

// The usage text printed by -h.
const char* convert_usage();

}  // namespace murex::convert
