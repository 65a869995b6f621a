#include "convert/converter.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>

#include "convert/gspan_reader.h"
#include "convert/label_names.h"
#include "convert/molecule_reader.h"
#include "convert/tu_reader.h"

namespace murex::convert {
namespace {

std::ifstream open_input(const std::string& path) {
  if (std::filesystem::is_directory(path)) throw Convert_error(path, 0, "is a folder, not a file");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Convert_error(path, 0, "cannot open the file");
  return in;
}

// The label names the options ask for; a specific file wins over --names.
class Name_files {
 public:
  explicit Name_files(const Convert_options& options) {
    if (options.names) {
      set_.node = load(*options.names, Label_names::Section::node, false);
      set_.edge = load(*options.names, Label_names::Section::edge, false);
      set_.graph_class = load(*options.names, Label_names::Section::graph_class, false);
      if (set_.node == nullptr && set_.edge == nullptr && set_.graph_class == nullptr) {
        throw Convert_error(*options.names, 0, "no label names found");
      }
    }
    if (options.node_names) set_.node = load(*options.node_names, Label_names::Section::node, true);
    if (options.edge_names) set_.edge = load(*options.edge_names, Label_names::Section::edge, true);
    if (options.class_names) set_.graph_class = load(*options.class_names, Label_names::Section::graph_class, true);
  }
  const Label_name_set& set() const { return set_; }

 private:
  const Label_names* load(const std::string& path, Label_names::Section section, bool required) {
    std::ifstream in = open_input(path);
    auto names = std::make_unique<Label_names>(Label_names::read(in, path, section, required));
    if (names->empty()) return nullptr;
    owned_.push_back(std::move(names));
    return owned_.back().get();
  }

  std::vector<std::unique_ptr<Label_names>> owned_;
  Label_name_set set_;
};

Conversion convert_gspan(const Convert_options& options, const Label_name_set& names, const Warning_sink& warn) {
  Conversion conversion;
  conversion.source = options.inputs.front();
  std::ifstream in = open_input(conversion.source);
  conversion.graphs = read_gspan(in, conversion.source, names, warn);
  if (options.classes) {
    std::ifstream classes = open_input(*options.classes);
    assign_gspan_classes(conversion.graphs, classes, *options.classes, names);
    conversion.class_order = ascending_class_values(conversion.graphs);
  } else {
    for (auto& graph : conversion.graphs) graph.class_value = *options.class_name;
    conversion.class_order = {*options.class_name};
  }
  return conversion;
}

std::string molecule_format(const Convert_options& options, const std::string& path) {
  if (options.format) {
    if (!is_molecule_format(*options.format)) {
      throw Convert_error(path, 0, "Open Babel cannot read the format \"" + *options.format + "\"");
    }
    return *options.format;
  }
  const std::string format = molecule_format_of(path);
  if (format.empty()) throw Convert_error(path, 0, "unknown molecule format (name it with --format EXT)");
  return format;
}

Conversion convert_molecules(const Convert_options& options, const Warning_sink& warn) {
  Conversion conversion;
  conversion.source = options.inputs.front();
  std::set<std::string> file_classes;
  for (const auto& path : options.inputs) {
    Molecule_options read_options{molecule_format(options, path), options.keep_hydrogens, options.class_field};
    std::ifstream in = open_input(path);
    auto molecules = read_molecules(in, path, read_options, warn);
    if (!options.class_field) {
      // One class per file, named after it, in the order given.
      const std::string value = std::filesystem::path(path).stem().string();
      if (!file_classes.insert(value).second) {
        throw Convert_error(path, 0, "another input file already gives the class \"" + value + "\"");
      }
      conversion.class_order.push_back(value);
      for (auto& molecule : molecules) molecule.class_value = value;
    } else if (options.threshold) {
      for (auto& molecule : molecules) {
        char* end = nullptr;
        errno = 0;
        const double x = std::strtod(molecule.class_value.c_str(), &end);
        if (molecule.class_value.empty() || *end != '\0' || errno != 0 || std::isnan(x)) {
          throw Convert_error(path, 0, "molecule " + std::to_string(molecule.source_index) + " (" +
                                           molecule.source_id + "): field \"" + *options.class_field + "\" holds \"" +
                                           molecule.class_value + "\", not a number");
        }
        molecule.class_value = (x < *options.threshold ? "below_" : "atleast_") + options.threshold_text;
      }
    }
    for (auto& molecule : molecules) conversion.graphs.push_back(std::move(molecule));
  }
  if (options.class_field) {
    if (options.threshold) {
      conversion.class_order = {"below_" + options.threshold_text, "atleast_" + options.threshold_text};
    } else {
      conversion.class_order = ascending_class_values(conversion.graphs);
    }
  }
  return conversion;
}

}  // namespace

Written_conversion run_conversion(const Convert_options& options, const Warning_sink& warn) {
  Conversion conversion;
  if (options.kind == Convert_options::Kind::chem) {
    conversion = convert_molecules(options, warn);
  } else {
    const Name_files names(options);
    if (options.kind == Convert_options::Kind::tu) {
      conversion = read_tu_folder(options.inputs.front(), options.prefix, names.set(), warn);
    } else {
      conversion = convert_gspan(options, names.set(), warn);
    }
  }
  return write_conversion(conversion, options.output, warn);
}

}  // namespace murex::convert
