// Feeds bytes to the molecule reader (Open Babel underneath). The first byte
// chooses the format (even: SDF, odd: SMILES), whether hydrogens are kept
// (bit 1) and whether the class comes from the field "activity" (bit 2); the
// rest is the file. Bad input must end in a Convert_error.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "convert/data_file_writer.h"
#include "convert/molecule_reader.h"

// Open Babel's SMILES parser leaks the stereo record of a malformed chiral atom
// ("[C@[H]") when it gives up; only frames inside Open Babel are suppressed.
extern "C" const char* __lsan_default_suppressions() { return "leak:libopenbabel.so\nleak:/openbabel/3.1.1/\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace murex::convert;
  if (size == 0) return 0;
  Molecule_options options;
  options.format = (data[0] & 1) != 0 ? "smi" : "sdf";
  options.keep_hydrogens = (data[0] & 2) != 0;
  if ((data[0] & 4) != 0) options.class_field = "activity";
  std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  const Warning_sink ignore = [](const std::string&) {};
  try {
    const auto molecules = read_molecules(in, "fuzz", options, ignore);
    Data_file_writer writer("fuzz", ignore);
    std::ostringstream out;
    for (const auto& molecule : molecules) {
      if (!molecule.nodes.empty()) writer.write(out, molecule);
    }
  } catch (const Convert_error&) {
  }
  return 0;
}
