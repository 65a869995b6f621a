#include "run/search_driver.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <memory>
#include <vector>

#include "eval/chunk_evaluation.h"
#include "eval/good_pair_evaluation.h"
#include "eval/good_pair_list.h"
#include "input/search_state.h"
#include "label/canonical_label_strategy.h"
#include "run/fatal.h"
#include "run/murex_factory.h"
#include "run/parameter.h"
#include "run/selector.h"

namespace murex {
namespace {

long long clock_ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

double seconds(long long ms) { return static_cast<double>(ms) / 1000.0; }

void unable_to_write_warning(const char* file_name) {
  warning(std::string("Warning: Unable to write ") + file_name);
}

}  // namespace

void release_process_objects() {
  Parameter::release();
  Good_pair_list::release();
  Canonical_label_strategy_holder::release();
  Factory_holder::release();
  Chunk_evaluation_holder::release();
  Good_pair_evaluation_holder::release();
}

int run_search() {
  const long long start = clock_ms();
  long long clone_time = 0;
  std::ofstream timelog("timelog.out");
  // A timing log that cannot be opened is reported at once; one whose writes
  // fail (a full disk shows only when the buffer is flushed) at the end.
  bool timelog_warned = false;
  if (!timelog) {
    unable_to_write_warning("timelog.out");
    timelog_warned = true;
  }

  std::cout << "Read data " << std::flush;
  std::vector<std::unique_ptr<Search_state>> branches;
  branches.push_back(std::make_unique<Search_state>());
  std::cout << "End\n";

  const long long read_done = clock_ms();
  timelog << "Read data : " << seconds(read_done - start) << " s\n";

  branches[0]->count_pairs();
  std::cout << "start\n";
  if (!branches[0]->write_initial_status("initial_status.out")) unable_to_write_warning("initial_status.out");

  for (;;) {
    Selector selector;
    std::cout << "Select " << std::flush;
    for (auto& branch : branches) branch->offer(selector);
    std::cout << "end\n";
    if (selector.size() == 0) break;

    std::cout << "Clone " << std::flush;
    const long long clone_start = clock_ms();
    std::vector<std::unique_ptr<Search_state>> next(selector.size());
    std::vector<Pair_binder*> binders(selector.size(), nullptr);
    std::vector<bool> used(branches.size(), false);
    std::size_t j = 0;
    for (const Selector_entry& entry : selector) {
      std::size_t k = 0;
      while (branches[k].get() != entry.branch) ++k;
      if (!used[k]) {
        binders[j] = entry.binder;
        used[k] = true;
      } else {
        Pair_binder* copy = entry.binder;
        next[j] = std::make_unique<Search_state>(*branches[k], copy);
        binders[j] = copy;
      }
      ++j;
    }
    // Reused branches move over once every clone has copied them unchanged.
    j = 0;
    std::vector<bool> moved(branches.size(), false);
    for (const Selector_entry& entry : selector) {
      if (!next[j]) {
        std::size_t k = 0;
        while (branches[k].get() != entry.branch) ++k;
        next[j] = std::move(branches[k]);
        moved[k] = true;
      }
      ++j;
    }
    branches.clear();  // deletes every branch that won nothing
    branches = std::move(next);
    std::cout << "end\n";
    clone_time += clock_ms() - clone_start;

    std::cout << "Chunk " << std::flush;
    for (std::size_t b = 0; b < branches.size(); ++b) {
      std::cout << b << ' ' << std::flush;
      branches[b]->chunk(*binders[b]);
    }
    std::cout << "end\n";
  }

  const long long end = clock_ms();
  timelog << "Chunk= " << seconds(end - read_done) << " s\n";
  timelog << "Clone= " << seconds(clone_time) << " s\n";
  timelog << "ALL= " << seconds(end - start) << " s" << '\n';
  timelog.close();
  if (timelog.fail() && !timelog_warned) unable_to_write_warning("timelog.out");

  {
    std::ofstream good_pairs("good_pair.out");
    if (good_pairs) Good_pair_list::instance().write(good_pairs);
    if (good_pairs) good_pairs.close();
    if (good_pairs.fail()) fatal("Error: Unable to write good_pair.out");
  }
  std::cout << "\nDone.\n";
  std::cout.flush();
  return 0;
}

}  // namespace murex
