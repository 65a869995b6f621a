// report.html in a real headless browser: the page loads without script
// errors, shows every pattern, and sorts. Skipped when Chromium is absent.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <thread>

#include "report_test_support.h"

extern char** environ;

namespace murex::report::test {
namespace {

namespace fs = std::filesystem;
using murex::test::read_file;
using murex::test::Scratch_dir;

const char* const chromium = "/usr/bin/chromium";

// The DOM of `url` after its scripts ran, or "" when Chromium failed or had
// to be stopped. A hang is cut off so that it fails the test instead of
// stalling the run.
std::string dump_dom(const std::string& url) {
  Scratch_dir profile;
  const fs::path dom = profile.path() / "dom.html";
  const std::string user_data = "--user-data-dir=" + (profile.path() / "profile").string();
  std::vector<std::string> args = {chromium,       "--headless",           "--no-sandbox",
                                   "--disable-gpu", "--disable-quic",      "--no-first-run",
                                   "--disable-background-networking",     "--disable-component-update",
                                   "--disable-sync", user_data,
                                   "--dump-dom",   url};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, dom.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);  // its own group, so that a time-out ends all its processes
  pid_t pid = 0;
  const int started = posix_spawn(&pid, chromium, &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (started != 0) return "";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(-pid, SIGKILL);
      waitpid(pid, &status, 0);
      ADD_FAILURE() << "chromium did not finish within the time-out";
      return "";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(-pid, SIGKILL);  // helpers it may have left behind
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "";
  return read_file(dom);
}

// Pattern numbers in the order of the table rows.
std::vector<int> row_order(const std::string& dom) {
  std::vector<int> order;
  const std::regex row("<tr class=\"pattern[^\"]*\" id=\"pattern-([0-9]+)\"");
  for (auto it = std::sregex_iterator(dom.begin(), dom.end(), row); it != std::sregex_iterator(); ++it) {
    order.push_back(std::stoi((*it)[1].str()));
  }
  return order;
}

class Report_browser : public testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(chromium)) GTEST_SKIP() << "Chromium is not installed";
    make_run(scratch_, "chem", {"-c", "2", "-d", "0", "-s", "1", "-b", "1", "-f", "active.txt,inactive.txt"});
    const auto result = run_report(scratch_.path(), {"."});
    ASSERT_EQ(result.status, 0) << result.err;
    page_ = "file://" + fs::canonical(scratch_.path() / "report" / "report.html").string();
  }

  Scratch_dir scratch_;
  std::string page_;
};

TEST_F(Report_browser, LoadsWithoutErrorsAndShowsEveryPatternBestFirst) {
  const std::string dom = dump_dom(page_);
  ASSERT_FALSE(dom.empty()) << "chromium failed";
  EXPECT_NE(dom.find("data-ready=\"yes\""), std::string::npos);
  EXPECT_NE(dom.find("data-errors=\"0\""), std::string::npos);
  EXPECT_NE(dom.find("<pre id=\"script-errors\"></pre>"), std::string::npos);
  EXPECT_NE(dom.find("data-sorted=\"score\""), std::string::npos);
  // Scores 0.5, 0.5, then 0.25 for the rest: ties keep the file order.
  EXPECT_EQ(row_order(dom), (std::vector<int>{2, 3, 1, 4, 5, 6, 7, 8}));
  EXPECT_NE(dom.find("[#6](-[#7])=[#8]"), std::string::npos);
}

TEST_F(Report_browser, SortsBySupportAndBack) {
  struct Sort_case {
    std::string fragment;
    std::vector<int> order;
  };
  const std::vector<Sort_case> cases = {
      // Support in inactive.txt: patterns 3 and 1 hold one graph; then by score.
      {"#sort=support-1", {3, 1, 2, 4, 5, 6, 7, 8}},
      // Support in active.txt: pattern 2 holds both graphs; then by score.
      {"#sort=support-0", {2, 3, 4, 5, 6, 7, 8, 1}},
      {"#sort=pattern", {1, 2, 3, 4, 5, 6, 7, 8}},
      {"?sort=score", {2, 3, 1, 4, 5, 6, 7, 8}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fragment);
    const std::string dom = dump_dom(page_ + c.fragment);
    ASSERT_FALSE(dom.empty()) << "chromium failed";
    EXPECT_NE(dom.find("data-errors=\"0\""), std::string::npos);
    EXPECT_EQ(row_order(dom), c.order);
  }
}

}  // namespace
}  // namespace murex::report::test
