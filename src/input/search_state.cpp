#include "input/search_state.h"

#include <cstdio>
#include <ctime>
#include <fstream>

#include "run/parameter.h"

namespace murex {

Search_state::Search_state(Empty)
    : context_(std::make_unique<Search_context>(this)),
      node_labels_(std::make_unique<Node_label_table>(context_.get())),
      link_labels_(std::make_unique<Link_label_table>(context_.get())),
      registry_(std::make_unique<Pair_type_registry>(context_.get())),
      chunks_(std::make_unique<Chunk_list>(context_.get())) {}

Search_state::Search_state() : Search_state(Empty{}) {
  const std::uint32_t classes = Parameter::instance().get_class_count();
  databases_.reserve(classes);
  // Class 0 is read completely before class 1, which fixes the label numbering.
  for (std::uint32_t i = 0; i < classes; ++i) {
    databases_.push_back(std::make_unique<Graph_database>(context_.get()));
    databases_.back()->read(static_cast<std::int32_t>(i));
  }
}

Search_state::Search_state(const Search_state& source, Pair_binder*& selected) : Search_state(Empty{}) {
  Node_label_map node_map;
  node_labels_->clone_from(*source.node_labels_, node_map);
  node_map.add(source.context_->placeholder_label(), context_->placeholder_label());
  Link_label_map link_map;
  link_labels_->clone_from(*source.link_labels_, link_map);
  Graph_map graph_map;
  databases_.reserve(source.databases_.size());
  for (std::size_t i = 0; i < source.databases_.size(); ++i) {
    databases_.push_back(std::make_unique<Graph_database>(context_.get()));
    databases_.back()->copy_from(*source.databases_[i], static_cast<std::int32_t>(i), node_map, link_map, graph_map);
  }
  registry_->clone_from(*source.registry_, node_map, link_map, graph_map, selected);
  chunks_->clone_from(*source.chunks_, node_map, link_map);
}

Search_state::~Search_state() {
  databases_.clear();
  node_labels_.reset();
  link_labels_.reset();
  registry_.reset();
  chunks_.reset();
  context_.reset();
}

std::size_t Search_state::count_pairs() {
  for (std::size_t i = 0; i < databases_.size(); ++i) databases_[i]->count_pairs(static_cast<std::int32_t>(i));
  return databases_.size();
}

void Search_state::offer(Selector& selector) { registry_->offer(selector); }

void Search_state::chunk(Pair_binder& pair_type) {
  pair_type.reset_pair_records();
  while (Pair* record = pair_type.next_pair_record()) {
    char name[32];
    std::snprintf(name, sizeof name, "%05ld", static_cast<long>(chunks_->get_size() + 1));
    Node_label* label = node_labels_->create(name);
    auto made = std::make_unique<Chunk>(label, pair_type.get_chunk_evaluation(), context_.get());
    made->build_from_pair(*record);
    label->set_chunk(made.get());
    chunks_->add(std::move(made));
    for (std::size_t i = 0; i < databases_.size(); ++i) {
      databases_[i]->rewrite(static_cast<std::int32_t>(i), *record, label, pair_type);
    }
  }
  registry_->apply_changes();
}

bool Search_state::write_initial_status(const std::string& file_name) {
  std::ofstream out(file_name, std::ios::app);
  if (!out) return false;
  write_initial_status(out);
  out.flush();
  return static_cast<bool>(out);
}

void Search_state::write_initial_status(std::ostream& out) {
  const Parameter& parameter = Parameter::instance();
  const std::string rule(80, '-');
  out << '\n' << rule << '\n';
  const std::time_t now = std::time(nullptr);
  char date[32] = {};
  std::strftime(date, sizeof date, "%a %b %e %H:%M:%S %Y", std::localtime(&now));
  out << date << '\n' << '\n';
  out << "#_of_class_= " << databases_.size() << '\n';
  out << (parameter.is_directed() == 1 ? "Directed" : "Undirected")
      << (parameter.is_subgraph() == 1 ? "Subgraph " : "Induced Subgraph") << '\n';
  if (parameter.has_test_file() == 1) {
    out << "Test_file_name_= " << parameter.get_test_file_name() << '\n';
  } else {
    out << "No_test_file\n";
  }
  out << "Total_node_number_= " << context_->get_total_node_number() << ' '
      << "Total_unit_number_= " << context_->get_total_unit_number() << "\n\n";
  out << "Node_label (" << node_labels_->get_size() << ")\n";
  node_labels_->print(out);
  out << '\n';
  out << "Link_label (" << link_labels_->get_size() << ")\n";
  link_labels_->print(out);
  out << '\n';
  out << "Canonical_label (" << registry_->size() << ")\n";
  registry_->print(out);
  out << '\n';
  out << "Chunk (" << chunks_->get_size() << ")\n";
  chunks_->print(out);
  out << '\n';
  out << rule << '\n';
}

}  // namespace murex
