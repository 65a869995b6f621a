#pragma once
// The output folder of one conversion. Files are staged as hidden temporaries
// next to their final names and only renamed into place by commit(), so a
// conversion that fails half-way leaves nothing that looks like a result: the
// destructor removes every temporary that was not committed.

#include <filesystem>
#include <string>
#include <vector>

namespace murex::convert {

class Output_folder {
 public:
  // Creates the folder (and its parents) when missing. Throws Convert_error.
  explicit Output_folder(std::filesystem::path folder);
  ~Output_folder();
  Output_folder(const Output_folder&) = delete;
  Output_folder& operator=(const Output_folder&) = delete;

  const std::filesystem::path& path() const { return folder_; }
  bool holds(const std::string& name) const { return std::filesystem::exists(folder_ / name); }
  // Writes `content` to the temporary of `name`. Throws Convert_error.
  void stage(const std::string& name, const std::string& content);
  // Renames every staged file to its final name, in staging order.
  void commit();

 private:
  struct Staged {
    std::filesystem::path temporary;
    std::filesystem::path final;
  };
  std::filesystem::path folder_;
  std::vector<Staged> staged_;
};

}  // namespace murex::convert
