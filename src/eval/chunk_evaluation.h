#pragma once
// Chunk evaluation functions: rank the pair types and decide which are worth
// chunking. They look only at counts: the graphs of each class (from the run
// parameters) and, for a pair type, the graphs of each class containing it
// and how often. The three "regarding_link" functions also weigh the link
// labels of the pattern with weights read from efrl.ini at construction.
//
// One function is installed per run in `Chunk_evaluation_holder`; a later
// `set_function` replaces it.

#include <map>
#include <memory>
#include <string>

namespace murex {

class Pair_binder;

class Chunk_evaluation_function {
 public:
  virtual ~Chunk_evaluation_function() = default;
  virtual double evaluate(const Pair_binder& pair_type) const = 0;
  // True exactly when value >= threshold (false for NaN).
  virtual bool accept(double value) const { return value >= threshold_; }
  void set_threshold(double threshold) { threshold_ = threshold; }
  double get_threshold() const { return threshold_; }

 private:
  double threshold_ = 0.0;
};

// Link-label name -> weight, as read from efrl.ini.
using Link_weights = std::map<std::string, double>;

// Reads efrl.ini in the current directory; a malformed or missing file ends
// the run with "Error : efrl.ini".
Link_weights read_link_weights(const std::string& file_name = "efrl.ini");

// n / N.
class Frequency final : public Chunk_evaluation_function {
 public:
  double evaluate(const Pair_binder& pair_type) const override;
};
// o / N.
class Frequency_2 final : public Chunk_evaluation_function {
 public:
  double evaluate(const Pair_binder& pair_type) const override;
};
// (n + (o - 1) / o) / N.
class Frequency_3 final : public Chunk_evaluation_function {
 public:
  double evaluate(const Pair_binder& pair_type) const override;
};

class Link_weighted_function : public Chunk_evaluation_function {
 public:
  Link_weighted_function() : link_weights_(read_link_weights()) {}
  explicit Link_weighted_function(Link_weights weights) : link_weights_(std::move(weights)) {}
  // 1 plus the weight of every non-zero code entry whose label has one.
  double link_weight(const Pair_binder& pair_type) const;

 private:
  Link_weights link_weights_;
};

// (n / N) * W.
class Frequency_regarding_link final : public Link_weighted_function {
 public:
  using Link_weighted_function::Link_weighted_function;
  double evaluate(const Pair_binder& pair_type) const override;
};
// (o / N) * W.
class Frequency_regarding_link_2 final : public Link_weighted_function {
 public:
  using Link_weighted_function::Link_weighted_function;
  double evaluate(const Pair_binder& pair_type) const override;
};
// (n * W + (o - 1) / o) / N.
class Frequency_regarding_link_3 final : public Link_weighted_function {
 public:
  using Link_weighted_function::Link_weighted_function;
  double evaluate(const Pair_binder& pair_type) const override;
};
// Gini gain of splitting the graphs by whether they contain the pair type.
class Gini final : public Chunk_evaluation_function {
 public:
  double evaluate(const Pair_binder& pair_type) const override;
};

class Chunk_evaluation_holder {
 public:
  static Chunk_evaluation_holder& instance();
  static void release();

  void set_function(std::unique_ptr<Chunk_evaluation_function> function) { function_ = std::move(function); }
  void set_threshold(double threshold) { function_->set_threshold(threshold); }
  double evaluate(const Pair_binder& pair_type) const { return function_->evaluate(pair_type); }
  bool accept(double value) const { return function_->accept(value); }
  const Chunk_evaluation_function* get() const { return function_.get(); }

 private:
  std::unique_ptr<Chunk_evaluation_function> function_;
};

// The Gini gain from per-class totals N_i and containing counts n_i, with the
// sums and products in unsigned 32-bit arithmetic.
template <class Totals, class Counts>
double gini_gain(std::size_t classes, Totals total_of, Counts count_of);

}  // namespace murex

#include "eval/gini_gain.inl"
