#include "convert/output_folder.h"

#include <unistd.h>

#include <fstream>
#include <system_error>

#include "convert/convert_error.h"

namespace murex::convert {

Output_folder::Output_folder(std::filesystem::path folder) : folder_(std::move(folder)) {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error || !std::filesystem::is_directory(folder_)) {
    throw Convert_error(folder_.string(), 0, "cannot create the output folder" + (error ? ": " + error.message() : ""));
  }
}

Output_folder::~Output_folder() {
  std::error_code ignored;
  for (const auto& file : staged_) std::filesystem::remove(file.temporary, ignored);
}

void Output_folder::stage(const std::string& name, const std::string& content) {
  const auto temporary = folder_ / ("." + name + ".partial-" + std::to_string(::getpid()));
  staged_.push_back({temporary, folder_ / name});
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out << content;
  out.close();
  if (!out) throw Convert_error(temporary.string(), 0, "cannot write the file");
}

void Output_folder::commit() {
  for (auto& file : staged_) {
    std::error_code error;
    std::filesystem::rename(file.temporary, file.final, error);
    if (error) throw Convert_error(file.final.string(), 0, "cannot create the file: " + error.message());
    file.temporary.clear();
  }
  staged_.clear();
}

}  // namespace murex::convert
