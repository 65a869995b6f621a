#include "input/graph_database.h"

#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

#include "graph/search_context.h"
#include "input/search_state.h"
#include "run/fatal.h"
#include "run/murex_factory.h"
#include "run/parameter.h"

namespace murex {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The leading decimal integer of `text` (optional sign, then digits), clamped
// far beyond any node number so that a huge number cannot wrap around.
std::int64_t leading_integer(std::string_view text) {
  std::size_t k = 0;
  bool negative = false;
  if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t limit = std::int64_t{1} << 40;
  for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) {
    if (value < limit) value = value * 10 + (text[k] - '0');
  }
  return negative ? -value : value;
}

// The decimal digits at the start of `text` after its sign, without leading zeros.
std::string significant_digits(std::string_view text) {
  std::size_t k = 0;
  if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
  while (k + 1 < text.size() && text[k] == '0' && text[k + 1] >= '0' && text[k + 1] <= '9') ++k;
  std::size_t end = k;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  return std::string(text.substr(k, end - k));
}

// A link read from a node line, added when its graph is complete.
struct Pending_link {
  std::int32_t from;
  std::int64_t to;
  Link_label* label;
  std::size_t line;
};

class Reader {
 public:
  Reader(Graph_database& database, Search_context* context, const std::string& file_name)
      : database_(database),
        context_(context),
        file_name_(file_name),
        state_(*context->get_owner()),
        factory_(*Factory_holder::instance().get()),
        undirected_(Parameter::instance().is_directed() == 0) {}

  void read(std::istream& in) {
    start_graph();
    bool finished = false;  // the current graph was ended by a blank line
    while (scanner_.read_line(in)) {
      ++line_number_;
      if (scanner_.line().empty()) {
        if (!finished) finish_graph();
        finished = true;
        continue;
      }
      if (finished) {
        start_graph();
        finished = false;
      }
      node_line();
    }
    // A stream that failed rather than ended (a directory, a read error, a
    // line too long for the memory) is not an empty or shorter data file.
    if (in.bad()) fatal("Error: Unable to read " + file_name_);
    if (!finished) finish_graph();
  }

 private:
  [[noreturn]] void child_node_error() const {
    fatal("Error: child_node (file_name: " + file_name_ + ", line: " + std::to_string(line_number_) + ")");
  }
  [[noreturn]] void link_label_error() const {
    fatal("Error: link_label (file_name: " + file_name_ + ", line: " + std::to_string(line_number_) + ")");
  }

  [[noreturn]] void missing_node_error(const std::string& number, std::size_t line) const {
    fatal("Error: child_node " + number + " has no node line (file_name: " + file_name_ +
          ", line: " + std::to_string(line) + ")");
  }

  void start_graph() {
    ++graph_number_;
    database_.add_graph(factory_.create_graph(graph_number_, context_));
    graph_ = &database_.graph_at(database_.size() - 1);
    node_number_ = 0;
    pending_.clear();
  }

  void node_line() {
    ++node_number_;
    const std::size_t after_first = scanner_.next(0);
    const bool first_token = !scanner_.token().empty();
    const std::size_t after_label = scanner_.next(after_first);
    // A line of one token has no label: it cannot be a node.
    if (after_label == 0 && first_token) child_node_error();
    Node_label* label = state_.node_labels().find_or_create(scanner_.token());
    graph_->add_node(static_cast<std::uint32_t>(node_number_), label);

    std::size_t position = after_label == 0 ? 0 : scanner_.next(after_label);
    while (position != 0 && !scanner_.token().empty()) {
      link_token(scanner_.token());
      position = scanner_.next(position);
    }
  }

  void link_token(const std::string& token) {
    std::size_t open = 0;
    for (; open < token.size() && token[open] != '('; ++open) {
      if (is_ascii_letter(token[open])) child_node_error();
    }
    if (open == token.size() || open == 0) child_node_error();
    const std::int64_t target = leading_integer(std::string_view(token).substr(0, open));
    if (target <= 0) child_node_error();
    // No graph has that many node lines: say so now, with the number as
    // written (the value read is clamped).
    if (target > std::numeric_limits<std::int32_t>::max()) {
      missing_node_error(significant_digits(token.substr(0, open)), line_number_);
    }
    const std::size_t close = token.find(')', open + 1);
    if (close == std::string::npos || close == open + 1) link_label_error();
    Link_label* label = state_.link_labels().find_or_create(token.substr(open + 1, close - open - 1));
    pending_.push_back({node_number_, target, label, line_number_});
  }

  // Adds the links once every node line of the graph is known, so that a
  // link to a node without a line is reported instead of leaving an
  // unlabelled node (and a huge number never allocates anything).
  void finish_graph() {
    for (const Pending_link& link : pending_) {
      if (link.to > node_number_) missing_node_error(std::to_string(link.to), link.line);
    }
    for (const Pending_link& link : pending_) {
      if (!graph_->add_link(link.from, static_cast<std::int32_t>(link.to), link.label)) {
        warning("Warning: parallel link not added, the same link already joins these nodes (file_name: " +
                file_name_ + ", line: " + std::to_string(link.line) + ")");
      }
    }
    pending_.clear();
    graph_->normalize_units();
    if (undirected_) graph_->order_units();
  }

  Graph_database& database_;
  Search_context* context_;
  const std::string& file_name_;
  Search_state& state_;
  const Murex_factory& factory_;
  const bool undirected_;
  Line_scanner scanner_;
  std::size_t line_number_ = 0;
  std::int32_t graph_number_ = 0;
  std::int32_t node_number_ = 0;
  Data_graph* graph_ = nullptr;
  std::vector<Pending_link> pending_;
};

}  // namespace

bool Line_scanner::read_line(std::istream& in) {
  if (!std::getline(in, line_)) return false;
  if (!in.eof() && !line_.empty() && line_.back() == '\r') line_.pop_back();
  return true;
}

std::size_t Line_scanner::next(std::size_t position) {
  if (position == line_.size()) return 0;
  while (position < line_.size() && is_blank(line_[position])) ++position;
  const std::size_t start = position;
  while (position < line_.size() && !is_blank(line_[position])) ++position;
  token_.assign(line_, start, position - start);
  return position;
}

void Graph_database::read(std::int32_t class_index) {
  Parameter& parameter = Parameter::instance();
  file_name_ = parameter.get_class_file_name(static_cast<std::uint32_t>(class_index));
  std::ifstream in(file_name_, std::ios::binary);
  if (!in) fatal("Error: Unable to open " + file_name_);
  read_stream(in, file_name_);
  parameter.set_graph_count(static_cast<std::uint32_t>(class_index), static_cast<std::uint32_t>(size()));
}

void Graph_database::read_stream(std::istream& in, const std::string& file_name) {
  file_name_ = file_name;
  Reader(*this, context_, file_name_).read(in);
}

void Graph_database::count_pairs(std::int32_t class_index) {
  for (auto& graph : graphs_) graph->count_pairs(class_index);
}

void Graph_database::rewrite(std::int32_t class_index, Pair& pair, Node_label* label, const Pair_binder& pair_type) {
  // The map changes while graphs are rewritten (the registry applies the
  // changes only afterwards, but be safe): take the graphs first.
  std::vector<Data_graph*> targets;
  const auto& map = pair_type.occurrences_of(class_index);
  targets.reserve(map.size());
  for (const auto& entry : map) targets.push_back(entry.first);
  for (Data_graph* graph : targets) graph->chunk_pair(class_index, pair, label);
}

void Graph_database::copy_from(const Graph_database& source, std::int32_t class_index,
                               const Node_label_map& node_labels, const Link_label_map& link_labels,
                               Graph_map& graphs) {
  file_name_ = source.file_name_;
  const Murex_factory* factory = Factory_holder::instance().get();
  graphs_.reserve(source.graphs_.size());
  for (const auto& original : source.graphs_) {
    auto copy = factory->create_graph(original->get_graph_number(), context_);
    copy->clone_from(*original, node_labels, link_labels);
    graphs.add(class_index, original.get(), copy.get());
    graphs_.push_back(std::move(copy));
  }
}

void Graph_database::print(std::ostream& out) const {
  out << "filename= " << file_name_ << "\n#_of_graphs_= " << graphs_.size() << "\n\n";
  for (const auto& graph : graphs_) {
    out << "GraphNo. " << graph->get_graph_number() << " (" << static_cast<const void*>(graph.get()) << ")\n";
    graph->print(out);
    out << '\n';
  }
}

}  // namespace murex
