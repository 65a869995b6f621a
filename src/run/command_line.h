#pragma once
// The option loop of the entry point: fills `Parameter` from the arguments,
// splits the data-file list and freezes the parameters. `-h` writes the usage
// text and ends the process with status 0; every usage error ends it with
// "Bad Parameter".

#include <string_view>

namespace murex {

// The usage text, Shift_JIS encoded, one line per entry (without line ends).
const std::string_view* usage_lines(std::size_t& count);

// Parses argv[1..argc-1] into Parameter, then `initialize`, split, `lock`.
void parse_command_line(int argc, const char* const* argv);

}  // namespace murex
