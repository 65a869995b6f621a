#pragma once
// An output folder written all at once: files go into a hidden staging
// folder inside the output folder, and only `commit` moves them to their
// final names (report.html last), each by one rename. A run that stops
// before `commit` removes the staging folder and leaves earlier results
// untouched, so nothing half-written ever looks complete.

#include <filesystem>
#include <string>

namespace murex::report {

class Staged_output {
 public:
  // Creates `out_dir` if needed and a fresh staging folder in it; throws
  // Report_error when either cannot be made.
  explicit Staged_output(const std::filesystem::path& out_dir);
  ~Staged_output();  // removes the staging folder if still there
  Staged_output(const Staged_output&) = delete;
  Staged_output& operator=(const Staged_output&) = delete;

  // Where to write the file or folder that ends up as `out_dir/name`.
  std::filesystem::path staged(const std::string& name) const { return staging_ / name; }

  // Writes `content` to the staged file `name`; throws Report_error on failure.
  void write(const std::string& name, const std::string& content) const;

  // Moves every staged entry into the output folder, replacing what was
  // there under the same name; `last` moves after all others.
  void commit(const std::string& last);

 private:
  std::filesystem::path out_dir_;
  std::filesystem::path staging_;
};

}  // namespace murex::report
