#pragma once
// Shared helpers for the graph-model tests: a search context without a
// search state, its two label tables, loose nodes and links, the four graph
// kinds with their factories, and print-to-string.

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "graph/chunk.h"
#include "graph/graph_kinds.h"
#include "graph/label.h"
#include "graph/link.h"
#include "graph/node.h"
#include "graph/pair.h"
#include "graph/search_context.h"
#include "graph/unit.h"
#include "run/factories.h"
#include "run/murex_factory.h"
#include "run/parameter.h"

namespace murex::test {

enum class Kind { directed_ig, directed_sg, undirected_ig, undirected_sg };

inline const char* kind_name(Kind kind) {
  switch (kind) {
    case Kind::directed_ig: return "directed_ig";
    case Kind::directed_sg: return "directed_sg";
    case Kind::undirected_ig: return "undirected_ig";
    case Kind::undirected_sg: return "undirected_sg";
  }
  return "?";
}

inline bool is_induced(Kind kind) { return kind == Kind::directed_ig || kind == Kind::undirected_ig; }
inline bool is_directed(Kind kind) { return kind == Kind::directed_ig || kind == Kind::directed_sg; }

inline std::unique_ptr<Murex_factory> make_factory(Kind kind) {
  switch (kind) {
    case Kind::directed_ig: return std::make_unique<Directed_ig_factory>();
    case Kind::directed_sg: return std::make_unique<Directed_sg_factory>();
    case Kind::undirected_ig: return std::make_unique<Undirected_ig_factory>();
    case Kind::undirected_sg: return std::make_unique<Undirected_sg_factory>();
  }
  return nullptr;
}

inline std::unique_ptr<Data_graph> make_graph(Kind kind, std::int32_t number, Search_context* context) {
  return make_factory(kind)->create_graph(number, context);
}

// Installs the factory of one kind for the lifetime of the object.
class Scoped_factory {
 public:
  explicit Scoped_factory(Kind kind) {
    Factory_holder::release();
    Factory_holder::instance().set(make_factory(kind));
  }
  ~Scoped_factory() { Factory_holder::release(); }
  Scoped_factory(const Scoped_factory&) = delete;
  Scoped_factory& operator=(const Scoped_factory&) = delete;
  const Murex_factory& get() const { return *Factory_holder::instance().get(); }
};

// Fresh run parameters with the given class count (not initialized).
inline void reset_parameters(std::uint32_t class_count) {
  Parameter::release();
  Parameter::instance().set_class_count(class_count);
}

// A search context with no search state, its label tables and loose nodes.
// Declare it before any graph, unit or pair that points into it.
struct Graph_env {
  Search_context context{nullptr};
  Node_label_table node_labels{&context};
  Link_label_table link_labels{&context};
  std::vector<std::unique_ptr<Node>> loose_nodes;

  Node_label* nl(const std::string& name) { return node_labels.find_or_create(name); }
  Link_label* ll(const std::string& name) { return link_labels.find_or_create(name); }

  // A node (owned here) with the given number and label (counted).
  Node* node(std::int32_t number, Node_label* label) {
    loose_nodes.push_back(std::make_unique<Node>(&context));
    Node* n = loose_nodes.back().get();
    n->set_number(number);
    n->set_label(label);
    return n;
  }

  std::unique_ptr<Link> link(Node* from, Node* to, Link_label* label, std::int32_t from_attachment = 1,
                             std::int32_t to_attachment = 1) {
    auto l = std::make_unique<Link>(&context);
    l->set_from(from);
    l->set_to(to);
    l->set_label(label);
    l->set_from_attachment(from_attachment);
    l->set_to_attachment(to_attachment);
    return l;
  }
};

// A new chunk label ("%05zu", numbered after the chunks made so far) whose
// chunk, kept in `chunks`, is built from `record` as the search makes it.
inline Node_label* make_chunk_label(Graph_env& env, std::vector<std::unique_ptr<Chunk>>& chunks,
                                   const Pair& record) {
  char name[8];
  std::snprintf(name, sizeof name, "%05zu", chunks.size() + 1);
  Node_label* label = env.node_labels.create(name);
  chunks.push_back(std::make_unique<Chunk>(label, 0.0, &env.context));
  chunks.back()->build_from_pair(record);
  label->set_chunk(chunks.back().get());
  return label;
}

template <class T>
std::string print_of(const T& x) {
  std::ostringstream out;
  x.print(out);
  return out.str();
}

// Every link the unit's iteration delivers, from a reset.
inline std::vector<Link*> links_of(MyCl::Unit& unit) {
  std::vector<Link*> links;
  unit.reset_links();
  while (Link* l = unit.next_link()) links.push_back(l);
  return links;
}

// Every unit of a graph, in list order.
inline std::vector<MyCl::Unit*> units_of(Graph& graph) {
  std::vector<MyCl::Unit*> units;
  graph.reset_units();
  while (MyCl::Unit* u = graph.next_unit()) units.push_back(u);
  return units;
}

// The prints of every link of every unit, in list order, each without the trailing blank.
inline std::vector<std::string> link_prints(Graph& graph) {
  std::vector<std::string> prints;
  for (MyCl::Unit* u : units_of(graph)) {
    for (Link* l : links_of(*u)) prints.push_back(print_of(*l));
  }
  return prints;
}

// Sends standard output to standard error, so a death test can match what
// a placeholder writes on standard output. Call inside the dying statement.
inline void stdout_to_stderr() { ::dup2(STDERR_FILENO, STDOUT_FILENO); }

}  // namespace murex::test
