#include "report/staged_output.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "report/report_error.h"

namespace murex::report {

namespace fs = std::filesystem;

Staged_output::Staged_output(const fs::path& out_dir) : out_dir_(out_dir) {
  std::error_code ec;
  fs::create_directories(out_dir_, ec);
  if (ec || !fs::is_directory(out_dir_)) throw Report_error(out_dir_.string(), "cannot create the output folder");
  std::string pattern = (out_dir_ / ".murex-report-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw Report_error(out_dir_.string(), "cannot write in the output folder");
  staging_ = pattern;
}

Staged_output::~Staged_output() {
  std::error_code ignored;
  if (!staging_.empty()) fs::remove_all(staging_, ignored);
}

void Staged_output::write(const std::string& name, const std::string& content) const {
  const fs::path path = staged(name);
  std::ofstream out(path, std::ios::binary);
  out << content;
  out.close();
  if (!out) throw Report_error((out_dir_ / name).string(), "cannot be written");
}

void Staged_output::commit(const std::string& last) {
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(staging_)) {
    if (entry.path().filename() != last) entries.push_back(entry.path());
  }
  std::sort(entries.begin(), entries.end());
  if (fs::exists(staging_ / last)) entries.push_back(staging_ / last);
  const fs::path retired = staging_ / ".retired";
  fs::create_directory(retired);
  for (const fs::path& from : entries) {
    const fs::path to = out_dir_ / from.filename();
    std::error_code ec;
    // A folder cannot replace a folder by rename; retire the old one first.
    if (fs::is_directory(from) && fs::exists(to)) fs::rename(to, retired / from.filename(), ec);
    if (!ec) fs::rename(from, to, ec);
    if (ec) throw Report_error(to.string(), "cannot be replaced: " + ec.message());
  }
  std::error_code ignored;
  fs::remove_all(staging_, ignored);
  staging_.clear();
}

}  // namespace murex::report
