#pragma once
// Run parameters: every setting of a run, filled by the command line and
// frozen in two steps (`initialize`, then `lock`) before any data is read.
//
// A refused operation ends the run with the internal-error message of this
// module (or one of the named messages of `initialize` and `lock`). The
// per-class arrays are stored sparsely: a class without a file name or a
// graph count costs nothing, so a class count of two thousand million is
// refused by `lock` (its missing file names) without first allocating
// per-class storage of that size.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace murex {

class Parameter {
 public:
  static Parameter& instance();
  static void release();

  void set_class_count(std::uint32_t n);
  std::uint32_t get_class_count() const { return class_count_; }

  void initialize();

  void set_class_file_name(std::uint32_t i, const std::string& name);
  std::string get_class_file_name(std::uint32_t i) const;

  void set_directed(std::uint8_t flag);
  void set_subgraph(std::uint8_t flag);
  void set_real_canonical_label(std::uint8_t flag);
  void set_test_file(std::uint8_t flag);
  std::uint8_t is_directed() const { return directed_; }
  std::uint8_t is_subgraph() const { return subgraph_; }
  std::uint8_t is_real_canonical_label() const { return real_canonical_label_; }
  std::uint8_t has_test_file() const { return test_file_; }

  void set_test_file_name(const std::string& name);
  std::string get_test_file_name() const { return test_file_name_; }

  void set_beam_width(std::uint32_t width);
  std::uint32_t get_beam_width() const { return beam_width_; }

  void set_graph_count(std::uint32_t i, std::uint32_t count);
  std::uint32_t get_graph_count(std::uint32_t i) const;

  void lock();

  bool is_locked() const { return locked_ != 0; }
  bool is_initialized() const { return initialized_ != 0; }

 private:
  Parameter() = default;
  friend struct std::default_delete<Parameter>;

  std::uint8_t locked_ = 0;
  std::uint8_t initialized_ = 0;
  std::uint32_t class_count_ = 0;
  // Names of classes 0 .. size-1; classes beyond hold the empty name.
  std::vector<std::string> class_file_name_;
  std::uint8_t directed_ = 1;
  std::uint8_t subgraph_ = 1;
  // Runs without -d use real canonical labels.
  std::uint8_t real_canonical_label_ = 1;
  std::uint8_t test_file_ = 0;
  std::string test_file_name_;
  std::uint32_t beam_width_ = 0;
  // Counts of classes 0 .. size-1; classes beyond hold 0.
  std::vector<std::uint32_t> graph_count_;
  bool graph_count_sized_ = false;  // set_class_count has run
};

}  // namespace murex
