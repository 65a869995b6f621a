#include "report/pattern_drawing.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "report/text_escape.h"

extern char** environ;

namespace murex::report {

std::string pattern_dot(const Pattern& pattern, bool directed) {
  const std::string id = "p" + std::to_string(pattern.index);
  // Undirected patterns (molecules, mostly) read best laid out by springs,
  // like a structure formula; directed ones as a left-to-right flow.
  const std::string layout = directed ? "rankdir=LR" : "layout=neato, overlap=false, splines=true";
  std::string out = std::string(directed ? "digraph" : "graph") + " pattern_" + std::to_string(pattern.index) +
                    " {\n  graph [id=\"" + id + "\", " + layout + ", bgcolor=\"transparent\"];\n" +
                    "  node [shape=ellipse, fontname=\"Helvetica\", fontsize=12];\n" +
                    "  edge [fontname=\"Helvetica\", fontsize=10];\n";
  for (std::size_t k = 0; k < pattern.nodes.size(); ++k) {
    const std::string n = std::to_string(k + 1);
    out += "  n" + n + " [id=\"" + id + "_n" + n + "\", label=" + dot_string(pattern.nodes[k]) +
           ", tooltip=\"position " + n + "\"];\n";
  }
  for (std::size_t k = 0; k < pattern.links.size(); ++k) {
    const Pattern_link& link = pattern.links[k];
    out += "  n" + std::to_string(link.from) + (directed ? " -> " : " -- ") + "n" + std::to_string(link.to) +
           " [id=\"" + id + "_e" + std::to_string(k + 1) + "\", label=" + dot_string(link.label) + "];\n";
  }
  return out + "}\n";
}

namespace {

// Runs `program` with `args`, output discarded; the exit status, or -1 when
// it cannot be started.
int run_quietly(const std::string& program, const std::vector<std::string>& args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int started = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (!WIFEXITED(status)) return 128;
  return WEXITSTATUS(status) == 127 ? -1 : WEXITSTATUS(status);
}

}  // namespace

Render_outcome render_svgs(const std::string& dot_program, const std::vector<std::filesystem::path>& dot_files) {
  Render_outcome outcome;
  constexpr std::size_t batch = 100;  // files per dot process
  for (std::size_t start = 0; start < dot_files.size(); start += batch) {
    // -O writes <file>.svg next to each input.
    std::vector<std::string> args = {"-Tsvg", "-O"};
    const std::size_t stop = std::min(dot_files.size(), start + batch);
    for (std::size_t k = start; k < stop; ++k) args.push_back(dot_files[k].string());
    if (run_quietly(dot_program, args) < 0) {
      outcome.program_missing = true;
      outcome.failed = dot_files.size();
      return outcome;
    }
    for (std::size_t k = start; k < stop; ++k) {
      std::filesystem::path produced = dot_files[k];
      produced += ".svg";
      std::filesystem::path wanted = dot_files[k];
      wanted.replace_extension(".svg");
      std::error_code ec;
      if (std::filesystem::is_regular_file(produced, ec) && std::filesystem::file_size(produced, ec) > 0) {
        std::filesystem::rename(produced, wanted, ec);
      } else {
        std::filesystem::remove(produced, ec);
        ec = std::make_error_code(std::errc::no_such_file_or_directory);
      }
      if (ec) ++outcome.failed;
    }
  }
  return outcome;
}

std::string inline_svg(const std::string& svg_text) {
  const std::size_t start = svg_text.find("<svg");
  const std::size_t end = svg_text.rfind("</svg>");
  if (start == std::string::npos || end == std::string::npos || end < start) return "";
  return svg_text.substr(start, end + 6 - start);
}

}  // namespace murex::report
