#include "support/run_murex.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace murex::test {

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Run_result::file(const std::string& name) const { return read_file(dir / name); }

bool Run_result::has_file(const std::string& name) const { return std::filesystem::exists(dir / name); }

Scratch_dir::Scratch_dir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "murex-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

Scratch_dir::~Scratch_dir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void Scratch_dir::write(const std::string& name, const std::string& content) const {
  std::ofstream out(path_ / name, std::ios::binary);
  out << content;
}

pid_t spawn_in(const std::filesystem::path& dir, const std::vector<std::string>& args, const std::string& binary,
               const std::filesystem::path& out, const std::filesystem::path& err) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(binary.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int rc = posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + binary);
  return pid;
}

int exit_status_of(int wstatus) { return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus); }

Run_result run_in(const std::filesystem::path& dir, const std::vector<std::string>& args, const std::string& binary) {
  Run_result result;
  result.dir = dir;
  const auto out_path = dir / ".murex-test-stdout";
  const auto err_path = dir / ".murex-test-stderr";

  const pid_t pid = spawn_in(dir, args, binary, out_path, err_path);
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  result.status = exit_status_of(wstatus);
  result.out = read_file(out_path);
  result.err = read_file(err_path);
  std::filesystem::remove(out_path);
  std::filesystem::remove(err_path);
  return result;
}

Run_result run_murex(Scratch_dir& scratch, const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& files) {
  for (const auto& [name, content] : files) scratch.write(name, content);
  return run_in(scratch.path(), args);
}

std::string exactly(const std::string& text) {
  std::string re = "^";
  for (const char c : text) {
    if (std::string(".[]{}()\\*+?^$|").find(c) != std::string::npos) re += '\\';
    re += c;
  }
  return re + "$";
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> split_args(const std::string& line) {
  std::vector<std::string> args;
  std::string current;
  bool in_word = false;
  char quote = 0;
  for (std::size_t k = 0; k < line.size(); ++k) {
    const char c = line[k];
    if (quote != 0) {
      if (c == quote) {
        quote = 0;
      } else if (c == '\\' && quote == '"' && k + 1 < line.size()) {
        current.push_back(line[++k]);
      } else {
        current.push_back(c);
      }
    } else if (c == '\'' || c == '"') {
      quote = c;
      in_word = true;
    } else if (c == '\\' && k + 1 < line.size()) {
      current.push_back(line[++k]);
      in_word = true;
    } else if (c == ' ' || c == '\t' || c == '\n') {
      if (in_word) args.push_back(current);
      current.clear();
      in_word = false;
    } else {
      current.push_back(c);
      in_word = true;
    }
  }
  if (in_word) args.push_back(current);
  return args;
}

std::vector<Saved_fuzz_input> saved_fuzz_inputs() {
  namespace fs = std::filesystem;
  std::vector<Saved_fuzz_input> inputs;
  std::error_code ignored;
  for (const auto& target : fs::directory_iterator(fs::path(MUREX_E2E_DIR).parent_path() / "fuzz_regressions", ignored)) {
    if (!target.is_directory()) continue;
    const std::string target_name = target.path().filename().string();
    for (const auto& file : fs::directory_iterator(target.path())) {
      std::string name = target_name + "_" + file.path().filename().string();
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      inputs.push_back({name, target_name, file.path()});
    }
  }
  std::sort(inputs.begin(), inputs.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return inputs;
}

}  // namespace murex::test
