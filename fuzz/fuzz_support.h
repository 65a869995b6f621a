#pragma once
// What every fuzz target of murex's inputs shares: a fatal message ends the
// input instead of the process, the process-wide objects start clean for
// every input, and inputs that are files are written into a private scratch
// directory that is the working directory while an input runs (where murex
// reads murex.ini and efrl.ini and writes its reports).

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "run/fatal.h"
#include "run/search_driver.h"

namespace murex::fuzz {

// Thrown by the end hook: the run ended (with a message) as murex would.
struct Run_ended {
  int status;
};

[[noreturn]] inline void throw_run_ended(int status) { throw Run_ended{status}; }

// Swallows murex's progress lines and messages, which would drown the
// fuzzer's own output.
class Null_buffer final : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The scratch directory of this process (made by set_up_process).
inline std::filesystem::path& scratch_dir() {
  static std::filesystem::path dir;
  return dir;
}

// Once per process: the end hook, silent standard streams and a scratch
// directory holding `fixed_files` (name, content). The scratch directory is
// the working directory only while an input runs, so that paths given to the
// fuzzer (inputs, artifacts) keep their meaning.
inline void set_up_process(std::initializer_list<std::pair<const char*, const char*>> fixed_files = {}) {
  static Null_buffer null_buffer;
  set_end_hook(&throw_run_ended);
  if (std::getenv("MUREX_FUZZ_VERBOSE") == nullptr) {
    std::cout.rdbuf(&null_buffer);
    std::cerr.rdbuf(&null_buffer);
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "murex-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  scratch_dir() = pattern;
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(scratch_dir(), ignored);
  });
  for (const auto& [name, content] : fixed_files) std::ofstream(scratch_dir() / name, std::ios::binary) << content;
}

// Writes an input file into the scratch directory.
inline void write_file(const char* name, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(scratch_dir() / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Runs `body` as one input in the scratch directory: an end of the run
// (status 0 or 1) is normal; the process-wide objects are released
// afterwards either way.
template <class Body>
void run_one(Body&& body) {
  const std::filesystem::path caller = std::filesystem::current_path();
  std::filesystem::current_path(scratch_dir());
  try {
    body();
  } catch (const Run_ended&) {
  }
  release_process_objects();
  std::filesystem::current_path(caller);
}

}  // namespace murex::fuzz
