#pragma once
// Good-pair evaluation functions: score the remembered patterns by how well
// they separate the classes, and decide which are written to good_pair.out.
// One function is installed per run in `Good_pair_evaluation_holder`.

#include <cstdint>
#include <memory>
#include <vector>

namespace murex {

class Good_pair;
class Pair_binder;

class Good_pair_evaluation_function {
 public:
  virtual ~Good_pair_evaluation_function() = default;
  double evaluate(const Good_pair& good_pair) const;
  double evaluate(const Pair_binder& pair_type) const;
  // True exactly when value >= threshold (false for NaN).
  bool accept(double value) const { return value >= threshold_; }
  void set_threshold(double threshold) { threshold_ = threshold; }
  double get_threshold() const { return threshold_; }

  // The value from n_i, the graphs of class i containing the pattern.
  virtual double value(const std::vector<std::uint32_t>& containing) const = 0;

 private:
  double threshold_ = 0.0;
};

// n / N.
class Good_pair_frequency final : public Good_pair_evaluation_function {
 public:
  double value(const std::vector<std::uint32_t>& containing) const override;
};
// Gini gain.
class Good_pair_gini final : public Good_pair_evaluation_function {
 public:
  double value(const std::vector<std::uint32_t>& containing) const override;
};
// Information gain in bits.
class Info_gain final : public Good_pair_evaluation_function {
 public:
  double value(const std::vector<std::uint32_t>& containing) const override;
};
// Largest per-class share of graphs containing the pattern over the sum of the shares.
class Norm_prb final : public Good_pair_evaluation_function {
 public:
  double value(const std::vector<std::uint32_t>& containing) const override;
};

class Good_pair_evaluation_holder {
 public:
  static Good_pair_evaluation_holder& instance();
  static void release();

  void set_function(std::unique_ptr<Good_pair_evaluation_function> function) { function_ = std::move(function); }
  void set_threshold(double threshold) { function_->set_threshold(threshold); }
  double evaluate(const Good_pair& good_pair) const { return function_->evaluate(good_pair); }
  bool accept(double value) const { return function_->accept(value); }
  const Good_pair_evaluation_function* get() const { return function_.get(); }

 private:
  std::unique_ptr<Good_pair_evaluation_function> function_;
};

}  // namespace murex
