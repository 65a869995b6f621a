#pragma once
// Reader of molecule files through Open Babel (SDF/MOL, SMILES and every other
// format it reads). Each molecule becomes a graph: atoms are nodes labelled
// with their element symbol, bonds are links labelled "single", "double",
// "triple", or "aromatic" for an aromatic bond (other bond orders become
// "order<N>" with a warning). Hydrogens are dropped unless kept, in which case
// every hydrogen, implicit ones included, becomes a node.
//
// Open Babel's own messages are captured: its errors end up in the
// Convert_error of a molecule that cannot be read, or in a warning naming a
// molecule that was read despite them; everything below error level is dropped.

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "convert/convert_error.h"
#include "convert/converted_graph.h"

namespace murex::convert {

struct Molecule_options {
  std::string format;            // an Open Babel format id such as "sdf" or "smi"
  bool keep_hydrogens = false;
  std::optional<std::string> class_field;  // data field holding each molecule's class
};

// The molecules of `in` in file order (source_index: position from 1,
// source_id: the title). With a class field, class_value is the field's
// value (a molecule without it is an error); otherwise it is left empty.
std::vector<Converted_graph> read_molecules(std::istream& in, const std::string& source,
                                            const Molecule_options& options, const Warning_sink& warn);

// The Open Babel format id for a file name's extension, or "" when none fits.
std::string molecule_format_of(const std::string& file_name);
// Whether Open Babel reads the format id.
bool is_molecule_format(const std::string& format);

}  // namespace murex::convert
