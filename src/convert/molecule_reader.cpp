#include "convert/molecule_reader.h"

#include <openbabel/atom.h>
#include <openbabel/bond.h>
#include <openbabel/elements.h>
#include <openbabel/generic.h>
#include <openbabel/mol.h>
#include <openbabel/obconversion.h>
#include <openbabel/oberror.h>
#include <openbabel/obiter.h>

#include <algorithm>
#include <iterator>
#include <new>
#include <set>
#include <sstream>

namespace murex::convert {
namespace {

// Routes Open Babel's message log into a string for as long as it lives, and
// keeps errors only.
class Captured_log {
 public:
  Captured_log() {
    OpenBabel::obErrorLog.SetOutputStream(&text_);
    OpenBabel::obErrorLog.SetOutputLevel(OpenBabel::obError);
  }
  ~Captured_log() {
    OpenBabel::obErrorLog.ClearLog();
    OpenBabel::obErrorLog.SetOutputStream(&std::clog);
  }
  Captured_log(const Captured_log&) = delete;
  Captured_log& operator=(const Captured_log&) = delete;

  // The error messages logged since the last call, on one line.
  std::string take() {
    std::string joined;
    for (const auto& message : OpenBabel::obErrorLog.GetMessagesOfLevel(OpenBabel::obError)) {
      std::istringstream lines(message);
      std::string line;
      while (std::getline(lines, line)) {
        const auto start = line.find_first_not_of(" \t=*");
        if (start == std::string::npos) continue;
        if (!joined.empty()) joined += "; ";
        joined += line.substr(start);
      }
    }
    OpenBabel::obErrorLog.ClearLog();
    text_.str("");
    return joined;
  }

 private:
  std::ostringstream text_;
};

std::string bond_label(const OpenBabel::OBBond& bond, std::set<unsigned>& odd_orders) {
  if (bond.IsAromatic()) return "aromatic";
  switch (bond.GetBondOrder()) {
    case 1: return "single";
    case 2: return "double";
    case 3: return "triple";
    default:
      odd_orders.insert(bond.GetBondOrder());
      return "order" + std::to_string(bond.GetBondOrder());
  }
}

std::size_t line_at(const std::string& text, std::size_t offset) {
  return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// The error for a molecule whose reading made Open Babel throw; `offset` is
// where the molecule's text starts.
Convert_error library_failure(const std::string& source, const std::string& text, std::size_t offset,
                              std::size_t molecule, const std::exception& failure) {
  const std::size_t start = std::min(text.find_first_not_of(" \t\r\n", offset), text.size());
  return Convert_error(source, line_at(text, start),
                       "molecule " + std::to_string(molecule) + " cannot be read: Open Babel failed (" +
                           failure.what() + ")");
}

}  // namespace

std::string molecule_format_of(const std::string& file_name) {
  OpenBabel::OBConversion conversion;
  OpenBabel::OBFormat* format = conversion.FormatFromExt(file_name.c_str());
  if (format == nullptr || (format->Flags() & NOTREADABLE) != 0) return "";
  const char* id = format->GetID();
  return id == nullptr ? "" : id;
}

bool is_molecule_format(const std::string& format) {
  OpenBabel::OBFormat* found = OpenBabel::OBConversion::FindFormat(format);
  return found != nullptr && (found->Flags() & NOTREADABLE) == 0;
}

std::vector<Converted_graph> read_molecules(std::istream& in, const std::string& source,
                                            const Molecule_options& options, const Warning_sink& warn) {
  Captured_log log;
  OpenBabel::OBConversion conversion;
  if (!is_molecule_format(options.format) || !conversion.SetInFormat(options.format.c_str())) {
    throw Convert_error(source, 0, "Open Babel cannot read the format \"" + options.format + "\"");
  }
  // The whole text is kept so that a failing molecule can be named by its line.
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw Convert_error(source, 0, "read error");
  std::istringstream stream(text);

  std::vector<Converted_graph> molecules;
  std::set<unsigned> odd_orders;
  std::size_t offset = 0;
  bool retried = false;
  for (;;) {
    // Open Babel throws on some malformed input (a counts line far beyond its
    // atom block, say) from deep inside its perception code; that is this
    // molecule's fault, not the program's, and is reported as such.
    const std::size_t molecule_start = offset;
    try {
      stream.clear();
      stream.seekg(static_cast<std::streamoff>(offset));
      OpenBabel::OBMol molecule;
      const bool read = conversion.Read(&molecule, &stream);
      const std::string errors = log.take();
      if (!read) {
        // The end, or blank lines some readers stop at: skip them and retry once.
        std::size_t next = text.find_first_not_of(" \t\r\n", offset);
        if (next == std::string::npos) break;
        if (!retried && next != offset && errors.empty()) {
          offset = next;
          retried = true;
          continue;
        }
        next = std::min(next, text.size());
        throw Convert_error(source, line_at(text, next),
                            "molecule " + std::to_string(molecules.size() + 1) + " cannot be read" +
                                (errors.empty() ? std::string() : ": " + errors));
      }
      retried = false;
      const std::size_t start = text.find_first_not_of(" \t\r\n", offset);
      const std::streamoff after = stream.tellg();
      const std::size_t previous = offset;
      offset = after < 0 ? text.size() : static_cast<std::size_t>(after);
      if (offset <= previous) {
        throw Convert_error(source, line_at(text, std::min(previous, text.size())),
                            "molecule " + std::to_string(molecules.size() + 1) + " cannot be read");
      }

      Converted_graph graph;
      graph.source_index = molecules.size() + 1;
      graph.source_id = molecule.GetTitle();
      if (options.keep_hydrogens) molecule.AddHydrogens();
      std::vector<std::size_t> node_of(molecule.NumAtoms() + 1, 0);  // atom index -> node + 1
      FOR_ATOMS_OF_MOL(atom, molecule) {
        if (!options.keep_hydrogens && atom->GetAtomicNum() == 1) continue;
        graph.nodes.emplace_back(OpenBabel::OBElements::GetSymbol(atom->GetAtomicNum()));
        node_of[atom->GetIdx()] = graph.nodes.size();
      }
      FOR_BONDS_OF_MOL(bond, molecule) {
        const std::size_t a = node_of[bond->GetBeginAtomIdx()];
        const std::size_t b = node_of[bond->GetEndAtomIdx()];
        if (a == 0 || b == 0 || a == b) continue;
        graph.links.push_back({a - 1, b - 1, bond_label(*bond, odd_orders)});
      }
      // Aromaticity and kekulization happen lazily, while the bonds are read above.
      if (const std::string late = errors + log.take(); !late.empty()) {
        warn(source + ":" + std::to_string(line_at(text, std::min(start, text.size()))) + ": molecule " +
             std::to_string(graph.source_index) + ": Open Babel: " + late);
      }
      if (options.class_field) {
        OpenBabel::OBGenericData* data = molecule.GetData(*options.class_field);
        if (data == nullptr) {
          throw Convert_error(source, line_at(text, std::min(start, text.size())),
                              "molecule " + std::to_string(graph.source_index) + " (" + graph.source_id +
                                  ") has no field \"" + *options.class_field + "\"");
        }
        graph.class_value = std::string(data->GetValue());
        const auto first = graph.class_value.find_first_not_of(" \t\r\n");
        const auto last = graph.class_value.find_last_not_of(" \t\r\n");
        graph.class_value = first == std::string::npos ? "" : graph.class_value.substr(first, last - first + 1);
      }
      molecules.push_back(std::move(graph));
      if (offset >= text.size()) break;
    } catch (const Convert_error&) {
      throw;
    } catch (const std::bad_array_new_length& failure) {
      throw library_failure(source, text, molecule_start, molecules.size() + 1, failure);
    } catch (const std::bad_alloc&) {
      throw;  // out of memory is the whole run's end, not this molecule's
    } catch (const std::exception& failure) {
      throw library_failure(source, text, molecule_start, molecules.size() + 1, failure);
    }
  }
  if (molecules.empty()) throw Convert_error(source, 0, "no molecules");
  for (const unsigned order : odd_orders) {
    warn(source + ": bonds of order " + std::to_string(order) + " are labelled \"order" + std::to_string(order) + "\"");
  }
  return molecules;
}

}  // namespace murex::convert
