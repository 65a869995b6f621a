// efrl.ini on arbitrary bytes: the link-weight lines read by the
// link-weighted chunk evaluation functions.

#include <cstddef>
#include <cstdint>

#include "eval/chunk_evaluation.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  murex::fuzz::set_up_process();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  murex::fuzz::write_file("efrl.ini", data, size);
  murex::fuzz::run_one([] { murex::read_link_weights("efrl.ini"); });
  return 0;
}
