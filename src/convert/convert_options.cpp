#include "convert/convert_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace murex::convert {

const char* convert_usage() {
  return R"(murex-convert: turns graph datasets into murex data files, one per class.

usage:
  murex-convert tu FOLDER -o OUT [--prefix DS] [NAMES]
      TU graph-classification folder: DS_A.txt, DS_graph_indicator.txt,
      DS_graph_labels.txt, DS_node_labels.txt, optional DS_edge_labels.txt
      (DS is the folder's name unless --prefix gives it).
  murex-convert gspan FILE -o OUT (--classes CLASSFILE | --class NAME) [NAMES]
      gSpan file ("t # id", "v id label", "e a b label"). CLASSFILE holds one
      class per line (line i: the i-th graph) or "class<TAB>graph id" lines;
      --class puts every graph in one class.
  murex-convert chem FILE... -o OUT [--class-field NAME [--threshold X]]
                [--keep-hydrogens] [--format EXT]
      Molecule files read with Open Babel (SDF/MOL, SMILES, ...; the format comes
      from each file's extension unless --format gives it). Each file is one
      class (named after the file) unless --class-field takes the class from a
      data field: its distinct values, or with --threshold X the two classes
      below_X (value < X) and atleast_X (value >= X).
      Hydrogens are dropped unless --keep-hydrogens makes every one a node.

  NAMES (label numbers to names; a plain "number name" file or a dataset readme):
      --names README       node, edge and class names from a readme's label sections
      --node-names FILE    --edge-names FILE    --class-names FILE

output (in OUT, created if needed):
  class_<value>.txt   one murex data file per class; links without a label in
                      the input are labelled "-"; bonds are single, double,
                      triple or aromatic
  graph_map.tsv       class_file, graph_number (as murex numbers the graphs of
                      each class file, from 1), source_index, source_id
  murex.ini           written only when OUT has none
Classes are ordered by value (numerically when all values are numbers; files
in the order given for chem without --class-field): the first is murex's
class 0. The murex command line to run on the result is printed.

  -h, --help          this text
)";
}

Convert_options Convert_options::parse(const std::vector<std::string>& args) {
  Convert_options options;
  if (args.empty()) throw Usage_error("no command given");
  std::size_t k = 0;
  const std::string& command = args[k++];
  if (command == "-h" || command == "--help") return options;
  if (command == "tu") options.kind = Kind::tu;
  else if (command == "gspan") options.kind = Kind::gspan;
  else if (command == "chem") options.kind = Kind::chem;
  else throw Usage_error("unknown command \"" + command + "\" (expected tu, gspan or chem)");

  const auto value = [&](const std::string& option) -> std::string {
    if (k >= args.size()) throw Usage_error(option + " needs a value");
    return args[k++];
  };
  const auto once = [&](std::optional<std::string>& slot, const std::string& option) {
    if (slot) throw Usage_error(option + " given twice");
    slot = value(option);
  };
  std::optional<std::string> output;
  std::optional<std::string> prefix;
  while (k < args.size()) {
    const std::string arg = args[k++];
    if (arg == "-h" || arg == "--help") {
      options = Convert_options();
      return options;
    }
    if (arg == "-o" || arg == "--output") once(output, arg);
    else if (arg == "--prefix" && options.kind == Kind::tu) once(prefix, arg);
    else if (arg == "--names" && options.kind != Kind::chem) once(options.names, arg);
    else if (arg == "--node-names" && options.kind != Kind::chem) once(options.node_names, arg);
    else if (arg == "--edge-names" && options.kind != Kind::chem) once(options.edge_names, arg);
    else if (arg == "--class-names" && options.kind != Kind::chem) once(options.class_names, arg);
    else if (arg == "--classes" && options.kind == Kind::gspan) once(options.classes, arg);
    else if (arg == "--class" && options.kind == Kind::gspan) once(options.class_name, arg);
    else if (arg == "--class-field" && options.kind == Kind::chem) once(options.class_field, arg);
    else if (arg == "--format" && options.kind == Kind::chem) once(options.format, arg);
    else if (arg == "--keep-hydrogens" && options.kind == Kind::chem) options.keep_hydrogens = true;
    else if (arg == "--threshold" && options.kind == Kind::chem) {
      if (options.threshold) throw Usage_error(arg + " given twice");
      options.threshold_text = value(arg);
      char* end = nullptr;
      errno = 0;
      const double x = std::strtod(options.threshold_text.c_str(), &end);
      if (options.threshold_text.empty() || *end != '\0' || errno != 0 || !std::isfinite(x)) {
        throw Usage_error("--threshold needs a number, not \"" + options.threshold_text + "\"");
      }
      options.threshold = x;
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      throw Usage_error("unknown option " + arg + " for " + command);
    } else {
      options.inputs.push_back(arg);
    }
  }
  if (!output) throw Usage_error("-o OUT (the output folder) is missing");
  options.output = *output;
  options.prefix = prefix.value_or("");
  if (options.inputs.empty()) throw Usage_error("no input given");
  if (options.kind != Kind::chem && options.inputs.size() > 1) {
    throw Usage_error(command + " takes one input, " + std::to_string(options.inputs.size()) + " given");
  }
  if (options.kind == Kind::gspan && options.classes.has_value() == options.class_name.has_value()) {
    throw Usage_error("gspan needs exactly one of --classes FILE and --class NAME");
  }
  if (options.threshold && !options.class_field) throw Usage_error("--threshold needs --class-field");
  return options;
}

}  // namespace murex::convert
