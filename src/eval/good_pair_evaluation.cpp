#include "eval/good_pair_evaluation.h"

#include <cmath>

#include "eval/chunk_evaluation.h"
#include "eval/good_pair_list.h"
#include "graph/pair_binder.h"
#include "run/parameter.h"

namespace murex {
namespace {

std::uint32_t total_of(std::size_t i) { return Parameter::instance().get_graph_count(static_cast<std::uint32_t>(i)); }

// Entropy in bits of a vector of class counts.
double entropy(const std::vector<double>& v) {
  double sum = 0.0;
  for (const double x : v) sum += x;
  double h = 0.0;
  for (const double x : v) {
    if (x == 0.0) continue;
    h -= (x / sum) * (std::log(x / sum) / std::log(2.0));
  }
  return h;
}

std::unique_ptr<Good_pair_evaluation_holder>& slot() {
  static std::unique_ptr<Good_pair_evaluation_holder> holder;
  return holder;
}

}  // namespace

double Good_pair_evaluation_function::evaluate(const Good_pair& good_pair) const {
  std::vector<std::uint32_t> containing;
  containing.reserve(good_pair.graph_numbers().size());
  for (const auto& set : good_pair.graph_numbers()) containing.push_back(static_cast<std::uint32_t>(set.size()));
  return value(containing);
}

double Good_pair_evaluation_function::evaluate(const Pair_binder& pair_type) const {
  std::vector<std::uint32_t> containing;
  for (std::size_t i = 0; i < pair_type.class_count(); ++i) {
    containing.push_back(static_cast<std::uint32_t>(pair_type.occurrences_of(static_cast<std::int32_t>(i)).size()));
  }
  return value(containing);
}

double Good_pair_frequency::value(const std::vector<std::uint32_t>& containing) const {
  std::uint32_t big_n = 0;
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < containing.size(); ++i) {
    big_n += total_of(i);
    n += containing[i];
  }
  return static_cast<double>(n) / static_cast<double>(big_n);
}

double Good_pair_gini::value(const std::vector<std::uint32_t>& containing) const {
  return gini_gain(containing.size(), total_of, [&](std::size_t i) { return containing[i]; });
}

double Info_gain::value(const std::vector<std::uint32_t>& containing) const {
  const std::size_t k = containing.size();
  std::vector<double> t(k);
  std::vector<double> w(k);
  std::vector<double> o(k);
  double big_t = 0.0;
  double big_w = 0.0;
  double big_o = 0.0;
  for (std::size_t i = 0; i < k; ++i) {
    t[i] = static_cast<double>(static_cast<std::int32_t>(total_of(i)));
    w[i] = static_cast<double>(containing[i]);
    o[i] = t[i] - w[i];
    big_t += t[i];
    big_w += w[i];
    big_o += o[i];
  }
  return entropy(t) - (big_w / big_t) * entropy(w) - (big_o / big_t) * entropy(o);
}

double Norm_prb::value(const std::vector<std::uint32_t>& containing) const {
  double max = 0.0;
  double sum = 0.0;
  for (std::size_t i = 0; i < containing.size(); ++i) {
    const double p = static_cast<double>(containing[i]) / static_cast<double>(static_cast<std::int32_t>(total_of(i)));
    sum += p;
    if (p > max) max = p;
  }
  return max / sum;
}

Good_pair_evaluation_holder& Good_pair_evaluation_holder::instance() {
  auto& s = slot();
  if (!s) s = std::make_unique<Good_pair_evaluation_holder>();
  return *s;
}

void Good_pair_evaluation_holder::release() { slot().reset(); }

}  // namespace murex
