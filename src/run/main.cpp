// murex: discovers discriminative patterns in databases of labelled graphs.
//
// The entry point runs one fixed sequence: the command line fills and freezes
// the run parameters; the canonical-label strategy and the factory are
// installed; murex.ini installs the evaluation functions; the search runs and
// writes its reports; the process-wide objects are released.

#include <exception>
#include <new>
#include <string>

#include "eval/chunk_evaluation.h"
#include "eval/good_pair_evaluation.h"
#include "eval/good_pair_list.h"
#include "label/canonical_label_strategy.h"
#include "run/command_line.h"
#include "run/configuration.h"
#include "run/factories.h"
#include "run/fatal.h"
#include "run/murex_factory.h"
#include "run/parameter.h"
#include "run/search_driver.h"

int main(int argc, char** argv) {
  using namespace murex;
  try {
    parse_command_line(argc, argv);
    install_factory_and_strategy();
    if (!read_configuration()) MUREX_INTERNAL_ERROR();

    const int status = run_search();

    release_process_objects();
    return status;
  } catch (const std::bad_alloc&) {
    // Input too large for this machine's memory: a message, not an abort.
    fatal("Error: Out of memory");
  } catch (const std::exception& error) {
    fatal(std::string("Error: ") + error.what());
  }
}
