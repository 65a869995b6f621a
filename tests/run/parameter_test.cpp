// Parameter refusals and the process-wide holders.

#include <gtest/gtest.h>

#include "label/canonical_label_strategy.h"
#include "run/factories.h"
#include "run/murex_factory.h"
#include "run/parameter.h"

namespace murex {
namespace {

const char* const kParameterInternalError = "Error: parameter\\.cpp\\([0-9]+\\)\a\n";

class Parameter_test : public ::testing::Test {
 protected:
  void TearDown() override { Parameter::release(); }
};

TEST_F(Parameter_test, StartsWithTheDocumentedValues) {
  const Parameter& p = Parameter::instance();
  EXPECT_EQ(p.get_class_count(), 0u);
  EXPECT_EQ(p.is_directed(), 1);
  EXPECT_EQ(p.is_subgraph(), 1);
  EXPECT_EQ(p.is_real_canonical_label(), 1);  // runs without -d use real labels
  EXPECT_EQ(p.has_test_file(), 0);
  EXPECT_EQ(p.get_beam_width(), 0u);
  EXPECT_EQ(&p, &Parameter::instance());
}

TEST_F(Parameter_test, ReleaseGivesAFreshObject) {
  Parameter::instance().set_beam_width(7);
  Parameter::release();
  EXPECT_EQ(Parameter::instance().get_beam_width(), 0u);
}

TEST_F(Parameter_test, LockFreezesAndKeepsNames) {
  Parameter& p = Parameter::instance();
  p.set_class_count(3);
  p.initialize();
  p.set_class_file_name(0, "a");
  p.set_class_file_name(1, "b");
  p.set_class_file_name(2, "c");
  p.lock();
  EXPECT_TRUE(p.is_locked());
  EXPECT_EQ(p.get_class_file_name(1), "b");
  p.set_graph_count(2, 5);
  EXPECT_EQ(p.get_graph_count(2), 5u);
  EXPECT_EQ(p.get_graph_count(0), 0u);
}

using Parameter_death_test = Parameter_test;

TEST_F(Parameter_death_test, RefusesOutOfOrderOperations) {
  struct Refusal {
    const char* name;
    void (*action)();
    const char* message;
  };
  const Refusal refusals[] = {
      {"class count zero", [] { Parameter::instance().set_class_count(0); }, kParameterInternalError},
      {"class count negative as signed", [] { Parameter::instance().set_class_count(0x80000000u); },
       kParameterInternalError},
      {"class count after initialize",
       [] {
         Parameter::instance().initialize();
         Parameter::instance().set_class_count(1);
       },
       kParameterInternalError},
      {"flag after initialize",
       [] {
         Parameter::instance().initialize();
         Parameter::instance().set_directed(0);
       },
       kParameterInternalError},
      {"second initialize",
       [] {
         Parameter::instance().initialize();
         Parameter::instance().initialize();
       },
       "Error : Parameter initialization is already done\\.\a\n"},
      {"lock before initialize", [] { Parameter::instance().lock(); },
       "Error : The parameter is not initialized yet\\.\a\n"},
      {"second lock",
       [] {
         Parameter& p = Parameter::instance();
         p.set_class_count(1);
         p.initialize();
         p.set_class_file_name(0, "a");
         p.lock();
         p.lock();
       },
       "Error : The parameter is already locked\\.\a\n"},
      {"name index out of range",
       [] {
         Parameter& p = Parameter::instance();
         p.set_class_count(1);
         p.initialize();
         p.set_class_file_name(1, "a");
       },
       kParameterInternalError},
      {"name set twice",
       [] {
         Parameter& p = Parameter::instance();
         p.set_class_count(1);
         p.initialize();
         p.set_class_file_name(0, "a");
         p.set_class_file_name(0, "b");
       },
       kParameterInternalError},
      {"beam width after lock",
       [] {
         Parameter& p = Parameter::instance();
         p.set_class_count(1);
         p.initialize();
         p.set_class_file_name(0, "a");
         p.lock();
         p.set_beam_width(2);
       },
       kParameterInternalError},
      {"graph count twice",
       [] {
         Parameter& p = Parameter::instance();
         p.set_class_count(1);
         p.set_graph_count(0, 3);
         p.set_graph_count(0, 4);
       },
       kParameterInternalError},
      {"graph count without class count", [] { Parameter::instance().set_graph_count(0, 3); },
       kParameterInternalError},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.name);
    EXPECT_EXIT(r.action(), ::testing::ExitedWithCode(1), r.message);
  }
}

TEST(Holder_death_test, SecondFactoryOrStrategyIsAnInternalError) {
  EXPECT_EXIT(
      {
        Factory_holder::instance().set(std::make_unique<Directed_sg_factory>());
        Factory_holder::instance().set(std::make_unique<Directed_ig_factory>());
      },
      ::testing::ExitedWithCode(1), "Error: murex_factory\\.cpp\\([0-9]+\\)\a\n");
  EXPECT_EXIT(
      {
        Canonical_label_strategy_holder::instance().set(std::make_unique<Canonical_label_strategy_for_directed>());
        Canonical_label_strategy_holder::instance().set(std::make_unique<Canonical_label_strategy_for_directed>());
      },
      ::testing::ExitedWithCode(1), "Error: canonical_label_strategy\\.cpp\\([0-9]+\\)\a\n");
}

TEST(Holder, InstanceIsSharedAndReleaseEmptiesIt) {
  Factory_holder& holder = Factory_holder::instance();
  EXPECT_EQ(&holder, &Factory_holder::instance());
  EXPECT_EQ(holder.get(), nullptr);
  holder.set(std::make_unique<Undirected_ig_factory>());
  EXPECT_NE(Factory_holder::instance().get(), nullptr);
  Factory_holder::release();
  EXPECT_EQ(Factory_holder::instance().get(), nullptr);
  Factory_holder::release();
}

TEST(Start_up_choice, FollowsDirectedSubgraphAndLabelKind) {
  struct Choice {
    std::uint8_t directed, subgraph, real;
    bool directed_graph, subgraph_graph, real_strategy;
  };
  const Choice choices[] = {
      {1, 1, 1, true, true, true}, {1, 0, 1, true, false, true}, {0, 1, 1, false, true, true},
      {0, 0, 0, false, false, false}, {1, 1, 0, true, true, false}, {0, 0, 7, false, false, false},
  };
  for (const Choice& c : choices) {
    Parameter& p = Parameter::instance();
    p.set_directed(c.directed);
    p.set_subgraph(c.subgraph);
    p.set_real_canonical_label(c.real);
    install_factory_and_strategy();
    auto graph = Factory_holder::instance().get()->create_graph(1, nullptr);
    const bool is_directed = dynamic_cast<Directed_graph_for_sg*>(graph.get()) != nullptr ||
                             dynamic_cast<Directed_graph_for_ig*>(graph.get()) != nullptr;
    const bool is_subgraph = dynamic_cast<Directed_graph_for_sg*>(graph.get()) != nullptr ||
                             dynamic_cast<Undirected_graph_for_sg*>(graph.get()) != nullptr;
    EXPECT_EQ(is_directed, c.directed_graph);
    EXPECT_EQ(is_subgraph, c.subgraph_graph);
    const Canonical_label_strategy* strategy = Canonical_label_strategy_holder::instance().get();
    const bool real = dynamic_cast<const Canonical_label_strategy_for_directed*>(strategy) != nullptr ||
                      dynamic_cast<const Canonical_label_strategy_for_undirected*>(strategy) != nullptr;
    EXPECT_EQ(real, c.real_strategy);
    Factory_holder::release();
    Canonical_label_strategy_holder::release();
    Parameter::release();
  }
}

}  // namespace
}  // namespace murex
