#pragma once
// Helpers for the murex-report tests: making a run folder with the real
// murex from a fixture, running murex-report, and reading CSV and JSON-ish
// outputs back.

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_murex.h"

namespace murex::report::test {

// Copies every file of fixtures/<name> into `scratch` and runs murex there
// with `args`; fails the calling test (ADD_FAILURE) when murex fails.
murex::test::Run_result make_run(murex::test::Scratch_dir& scratch, const std::string& fixture,
                                 const std::vector<std::string>& args);

// Runs murex-report with `args` in `dir`.
murex::test::Run_result run_report(const std::filesystem::path& dir, const std::vector<std::string>& args);

// Parses RFC 4180 CSV (CRLF or LF line ends, quoted fields) into rows of fields.
std::vector<std::vector<std::string>> parse_csv(const std::string& text);

}  // namespace murex::report::test

namespace murex::report::test {

// True when `text` is one valid JSON value (RFC 8259) and nothing else but
// white space; `where` gets the byte offset of the first fault.
bool is_valid_json(const std::string& text, std::size_t& where);

}  // namespace murex::report::test
