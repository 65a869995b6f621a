#pragma once
// The number of graphs in a murex data file, counted by murex's own rule:
// the first graph exists before any line is read; a run of blank lines ends
// the current graph and the next non-blank line starts the next one, so runs
// of blank lines separate like one and trailing blank lines add no graph.

#include <cstddef>
#include <filesystem>
#include <string>

namespace murex::report {

std::size_t count_graphs(const std::string& text);

// Throws Report_error when the file cannot be read.
std::size_t count_graphs_in_file(const std::filesystem::path& path);

}  // namespace murex::report
