#include "run/factories.h"

#include "label/canonical_label_strategy.h"
#include "run/parameter.h"

namespace murex {

void install_factory_and_strategy() {
  const Parameter& parameter = Parameter::instance();
  const bool real = parameter.is_real_canonical_label() == 1;
  const bool subgraph = parameter.is_subgraph() == 1;
  auto& strategies = Canonical_label_strategy_holder::instance();
  auto& factories = Factory_holder::instance();
  if (parameter.is_directed() == 1) {
    if (real) {
      strategies.set(std::make_unique<Canonical_label_strategy_for_directed>());
    } else {
      strategies.set(std::make_unique<Dummy_canonical_label_strategy_for_directed>());
    }
    if (subgraph) {
      factories.set(std::make_unique<Directed_sg_factory>());
    } else {
      factories.set(std::make_unique<Directed_ig_factory>());
    }
  } else {
    if (real) {
      strategies.set(std::make_unique<Canonical_label_strategy_for_undirected>());
    } else {
      strategies.set(std::make_unique<Dummy_canonical_label_strategy_for_undirected>());
    }
    if (subgraph) {
      factories.set(std::make_unique<Undirected_sg_factory>());
    } else {
      factories.set(std::make_unique<Undirected_ig_factory>());
    }
  }
}

}  // namespace murex
