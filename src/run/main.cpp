// murex: discovers discriminative patterns in databases of labelled graphs.
//
// The entry point runs one fixed sequence: the command line fills and freezes
// the run parameters; the canonical-label strategy and the factory are
// installed; murex.ini installs the evaluation functions; the search runs and
// writes its reports; the process-wide objects are released.

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
  parse_command_line(argc, argv);
  install_factory_and_strategy();
  if (!read_configuration()) MUREX_INTERNAL_ERROR();

  const int status = run_search();

  Parameter::release();
  Good_pair_list::release();
  Canonical_label_strategy_holder::release();
  Factory_holder::release();
  Chunk_evaluation_holder::release();
  Good_pair_evaluation_holder::release();
  return status;
}
