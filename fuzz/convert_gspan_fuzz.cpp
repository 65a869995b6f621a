// Feeds bytes to the gSpan reader, the class-file reader and the data-file
// writer; see feed_gspan for how the bytes are read.

#include <cstddef>
#include <cstdint>

#include "convert_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    murex::fuzz::feed_gspan(data, size);
  } catch (const murex::convert::Convert_error&) {
  }
  return 0;
}
