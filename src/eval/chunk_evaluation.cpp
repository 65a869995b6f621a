#include "eval/chunk_evaluation.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "graph/pair_binder.h"
#include "run/fatal.h"
#include "run/parameter.h"

namespace murex {
namespace {

struct Counts {
  std::uint32_t graphs = 0;       // N
  std::uint32_t containing = 0;   // n
  std::uint32_t occurrences = 0;  // o
};

Counts counts_of(const Pair_binder& pair_type) {
  const Parameter& parameter = Parameter::instance();
  Counts c;
  for (std::uint32_t i = 0; i < parameter.get_class_count(); ++i) {
    c.graphs += parameter.get_graph_count(i);
    const auto& map = pair_type.occurrences_of(static_cast<std::int32_t>(i));
    c.containing += static_cast<std::uint32_t>(map.size());
    for (const auto& entry : map) c.occurrences += static_cast<std::uint32_t>(entry.second);
  }
  return c;
}

double as_double(std::uint32_t v) { return static_cast<double>(v); }

// (o - 1) / o with o - 1 in unsigned arithmetic.
double occurrence_share(std::uint32_t o) { return as_double(o - 1) / as_double(o); }

std::unique_ptr<Chunk_evaluation_holder>& slot() {
  static std::unique_ptr<Chunk_evaluation_holder> holder;
  return holder;
}

// One line of efrl.ini. Lines are read whole; a last line without its line
// end is not used. Returns false when no further line exists.
bool read_weight_line(std::istream& in, std::string& line) {
  line.clear();
  char c;
  while (in.get(c)) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    line.push_back(c);
  }
  return false;
}

}  // namespace

Link_weights read_link_weights(const std::string& file_name) {
  std::ifstream in(file_name, std::ios::binary);
  if (!in) fatal_without_bell("Error : efrl.ini");
  Link_weights weights;
  std::string line;
  while (read_weight_line(in, line)) {
    const auto comma = line.find(',');
    if (comma == std::string::npos || line.find(',', comma + 1) != std::string::npos) {
      fatal_without_bell("Error : efrl.ini");
    }
    const std::string value = line.substr(comma + 1);
    weights[line.substr(0, comma)] = std::strtod(value.c_str(), nullptr);
  }
  if (in.bad()) fatal_without_bell("Error : efrl.ini");  // a directory, or a read error
  return weights;
}

double Frequency::evaluate(const Pair_binder& pair_type) const {
  const Counts c = counts_of(pair_type);
  return as_double(c.containing) / as_double(c.graphs);
}

double Frequency_2::evaluate(const Pair_binder& pair_type) const {
  const Counts c = counts_of(pair_type);
  return as_double(c.occurrences) / as_double(c.graphs);
}

double Frequency_3::evaluate(const Pair_binder& pair_type) const {
  const Counts c = counts_of(pair_type);
  const double numerator = as_double(c.containing) + occurrence_share(c.occurrences);
  return numerator / as_double(c.graphs);
}

double Link_weighted_function::link_weight(const Pair_binder& pair_type) const {
  double w = 1.0;
  for (const Link_label* label : pair_type.link_labels_of_code().link_labels) {
    if (label == nullptr) continue;
    const auto found = link_weights_.find(label->get_name());
    if (found != link_weights_.end()) w += found->second;
  }
  return w;
}

double Frequency_regarding_link::evaluate(const Pair_binder& pair_type) const {
  const Counts c = counts_of(pair_type);
  return (as_double(c.containing) / as_double(c.graphs)) * link_weight(pair_type);
}

double Frequency_regarding_link_2::evaluate(const Pair_binder& pair_type) const {
  const Counts c = counts_of(pair_type);
  return (as_double(c.occurrences) / as_double(c.graphs)) * link_weight(pair_type);
}

double Frequency_regarding_link_3::evaluate(const Pair_binder& pair_type) const {
  const Counts c = counts_of(pair_type);
  const double numerator = as_double(c.containing) * link_weight(pair_type) + occurrence_share(c.occurrences);
  return numerator / as_double(c.graphs);
}

double Gini::evaluate(const Pair_binder& pair_type) const {
  const Parameter& parameter = Parameter::instance();
  return gini_gain(
      parameter.get_class_count(),
      [&](std::size_t i) { return parameter.get_graph_count(static_cast<std::uint32_t>(i)); },
      [&](std::size_t i) {
        return static_cast<std::uint32_t>(pair_type.occurrences_of(static_cast<std::int32_t>(i)).size());
      });
}

Chunk_evaluation_holder& Chunk_evaluation_holder::instance() {
  auto& s = slot();
  if (!s) s = std::make_unique<Chunk_evaluation_holder>();
  return *s;
}

void Chunk_evaluation_holder::release() { slot().reset(); }

}  // namespace murex
