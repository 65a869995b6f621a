#pragma once
// Writes a conversion into an output folder: one murex data file per class
// ("class_<value>.txt", the value reduced to letters, digits and "._+-"),
// graph_map.tsv, and a murex.ini when the folder has none.
//
// graph_map.tsv is tab-separated with the heading
// "class_file<TAB>graph_number<TAB>source_index<TAB>source_id" and one row per
// written graph, by class then graph number. graph_number is the graph's
// number as murex reports it: its position in its class file, from 1, counted
// separately in each class file. Graphs without nodes cannot be written (murex
// reads no empty graph back) and are left out with a warning.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "convert/convert_error.h"
#include "convert/converted_graph.h"

namespace murex::convert {

struct Written_class {
  std::string value;
  std::string file_name;  // relative to the output folder, as given to murex -f
  std::size_t graphs = 0;
};

struct Written_conversion {
  std::vector<Written_class> classes;  // murex's classes 0, 1, ... in this order
  std::size_t skipped = 0;             // graphs left out for having no node
  bool wrote_ini = false;
};

// Throws Convert_error; on failure nothing new is left in the folder but
// possibly the folder itself.
Written_conversion write_conversion(const Conversion& conversion, const std::filesystem::path& folder,
                                    const Warning_sink& warn);

// "class_<value>.txt" with every character but letters, digits and "._+-" as "_".
std::string class_file_name(const std::string& value);

// "cd <folder> && murex -c K -f a,b -d 0 -b 5", the folder quoted for a shell when needed.
std::string murex_command(const Written_conversion& written, const std::string& folder);

// One line: the graphs written per class.
std::string summary_line(const Written_conversion& written, const std::string& folder);

}  // namespace murex::convert
