#pragma once
// Runs the real murex binary in a fresh scratch directory and captures what
// it produced: exit status, standard output and error, and the output files.

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace murex::test {

struct Run_result {
  int status = -1;
  std::string out;  // standard output bytes
  std::string err;  // standard error bytes
  std::filesystem::path dir;  // the scratch directory, removed with the result
  // The content of a file the run left in its directory ("" when missing).
  std::string file(const std::string& name) const;
  bool has_file(const std::string& name) const;
};

// A scratch directory removed when it goes out of scope.
class Scratch_dir {
 public:
  Scratch_dir();
  ~Scratch_dir();
  Scratch_dir(const Scratch_dir&) = delete;
  Scratch_dir& operator=(const Scratch_dir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  void write(const std::string& name, const std::string& content) const;

 private:
  std::filesystem::path path_;
};

// Runs `binary` with `args` in `dir` (standard input empty).
// Starts `binary` with `args` in `dir`, standard input from /dev/null and the
// two output streams into `out` and `err`; returns its process id (throws
// when it cannot start).
pid_t spawn_in(const std::filesystem::path& dir, const std::vector<std::string>& args, const std::string& binary,
               const std::filesystem::path& out, const std::filesystem::path& err);

// The exit status of a wait status; 128 + the signal for a killed process.
int exit_status_of(int wstatus);

Run_result run_in(const std::filesystem::path& dir, const std::vector<std::string>& args,
                  const std::string& binary = MUREX_BINARY);

// Writes `files` (name -> content) into a fresh directory and runs murex there.
// The directory lives as long as `scratch`.
Run_result run_murex(Scratch_dir& scratch, const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& files);

std::string read_file(const std::filesystem::path& path);

// The lines of `text`, without their line ends.
std::vector<std::string> lines_of(const std::string& text);

// A saved fuzz input, tests/fuzz_regressions/<target>/<file>.
struct Saved_fuzz_input {
  std::string name;    // "<target>_<file>", every other character than a letter or digit made "_"
  std::string target;  // the fuzz target's name, such as "data_file" or "convert_chem"
  std::filesystem::path path;
};

// Every saved fuzz input, in order of name.
std::vector<Saved_fuzz_input> saved_fuzz_inputs();

// Parameterized test cases print as their names.
template <class Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

// A regular expression matching exactly `text` (for death-test output).
std::string exactly(const std::string& text);

// Splits a shell-quoted argument line (single and double quotes, backslash).
std::vector<std::string> split_args(const std::string& line);

}  // namespace murex::test
