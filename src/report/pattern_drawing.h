#pragma once
// Drawings of patterns: Graphviz DOT text with the real label names, and
// rendering DOT files to SVG by running the Graphviz `dot` program.

#include <filesystem>
#include <string>
#include <vector>

#include "report/report_model.h"

namespace murex::report {

// The DOT text of `pattern` (a digraph in directed runs). Node and edge ids
// carry the pattern number so that several drawings can share one page.
std::string pattern_dot(const Pattern& pattern, bool directed);

struct Render_outcome {
  bool program_missing = false;  // `dot` could not be started at all
  std::size_t failed = 0;        // DOT files that gave no SVG
};

// Renders every `<name>.dot` to `<name>.svg` beside it with `dot_program`
// (looked up on PATH when it has no '/'). Files that fail keep no SVG.
Render_outcome render_svgs(const std::string& dot_program, const std::vector<std::filesystem::path>& dot_files);

// The <svg ...>...</svg> element of an SVG file's text, without the XML
// prolog and doctype, ready to sit inside an HTML page; "" when there is none.
std::string inline_svg(const std::string& svg_text);

}  // namespace murex::report
