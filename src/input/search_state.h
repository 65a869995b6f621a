#pragma once
// One branch of the beam search: the graph databases of every class, the
// node-label and link-label tables, the pair types, the chunks made so far
// and the context every element points to. A search state owns all of them;
// two branches never share an element. Cloning is a deep copy driven by maps
// from each label and graph of the source to its copy.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graph/chunk.h"
#include "graph/label.h"
#include "graph/search_context.h"
#include "input/graph_database.h"
#include "pair/pair_type_registry.h"

namespace murex {

class Selector;

class Search_state {
 public:
  // The first state: reads every class's data file.
  Search_state();
  // A copy of `source`; `selected` (a pair type of the source) is set to its copy.
  Search_state(const Search_state& source, Pair_binder*& selected);
  ~Search_state();
  Search_state(const Search_state&) = delete;
  Search_state& operator=(const Search_state&) = delete;

  Graph_database& database(std::size_t class_index) { return *databases_[class_index]; }
  std::size_t database_count() const { return databases_.size(); }
  Node_label_table& node_labels() { return *node_labels_; }
  Link_label_table& link_labels() { return *link_labels_; }
  Pair_type_registry& registry() { return *registry_; }
  Chunk_list& chunks() { return *chunks_; }
  Search_context& context() { return *context_; }

  // Counts every unit of every graph into the registry; returns the number of databases.
  std::size_t count_pairs();
  void offer(Selector& selector);
  // Binds the pair type into chunks and brings the registry up to date.
  void chunk(Pair_binder& pair_type);
  // Appends the initial status report; returns false when the file could not be written.
  bool write_initial_status(const std::string& file_name);
  void write_initial_status(std::ostream& out);

 private:
  struct Empty {};
  explicit Search_state(Empty);

  std::unique_ptr<Search_context> context_;
  std::vector<std::unique_ptr<Graph_database>> databases_;
  std::unique_ptr<Node_label_table> node_labels_;
  std::unique_ptr<Link_label_table> link_labels_;
  std::unique_ptr<Pair_type_registry> registry_;
  std::unique_ptr<Chunk_list> chunks_;
};

}  // namespace murex
