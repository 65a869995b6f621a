// murex.ini on arbitrary bytes: the tokenizer, the keyword lines and the
// installation of the named functions with their thresholds (the three
// link-weighted functions read the valid efrl.ini of the working directory).

#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "run/configuration.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  murex::fuzz::set_up_process({{"efrl.ini", "x,0.5\ny,-2\n"}});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  murex::fuzz::write_file("murex.ini", data, size);
  murex::fuzz::run_one([] { murex::read_configuration(); });
  return 0;
}
