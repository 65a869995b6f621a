// Feeds bytes to the molecule reader (Open Babel underneath); see
// feed_chem for how the bytes are read.

#include <cstddef>
#include <cstdint>

#include "convert_inputs.h"

// Open Babel's SMILES parser leaks the stereo record of a malformed chiral atom
// ("[C@[H]") when it gives up; only frames inside Open Babel are suppressed.
extern "C" const char* __lsan_default_suppressions() { return "leak:libopenbabel.so\nleak:/openbabel/3.1.1/\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    murex::fuzz::feed_chem(data, size);
  } catch (const murex::convert::Convert_error&) {
  }
  return 0;
}
