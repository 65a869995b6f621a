// The data-file reader, and the search behind it, on arbitrary bytes.
//
// The first byte picks the run's settings: bits 0-1 the -d mode, bit 2 the
// -s mode, bit 3 whether the file is read as one class or as both classes of
// two, bits 4-5 the beam width (0 to 3). The rest is the data file. The run
// is the program's own sequence: command line, factory and strategy,
// murex.ini, search with all three reports.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "run/command_line.h"
#include "run/configuration.h"
#include "run/factories.h"
#include "run/search_driver.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  murex::fuzz::set_up_process({{"murex.ini", "#CEVALFUNC frequency 0.5\n#GEVALFUNC frequency 0\n"}});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t settings = data[0];
  murex::fuzz::write_file("data.txt", data + 1, size - 1);
  const bool two_classes = (settings & 8) != 0;
  const std::vector<std::string> words = {"murex",
                                          "-c",
                                          two_classes ? "2" : "1",
                                          "-d",
                                          std::to_string(settings & 3),
                                          "-s",
                                          std::to_string((settings >> 2) & 1),
                                          "-f",
                                          two_classes ? "data.txt,data.txt" : "data.txt",
                                          "-b",
                                          std::to_string((settings >> 4) & 3)};
  std::vector<const char*> argv;
  for (const auto& word : words) argv.push_back(word.c_str());
  murex::fuzz::run_one([&] {
    murex::parse_command_line(static_cast<int>(argv.size()), argv.data());
    murex::install_factory_and_strategy();
    if (!murex::read_configuration()) return;
    murex::run_search();
  });
  return 0;
}
