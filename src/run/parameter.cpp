#include "run/parameter.h"

#include <string>

#include "run/fatal.h"

namespace murex {
namespace {
std::unique_ptr<Parameter>& slot() {
  static std::unique_ptr<Parameter> the_parameter;
  return the_parameter;
}
}  // namespace

Parameter& Parameter::instance() {
  auto& p = slot();
  if (!p) p.reset(new Parameter());
  return *p;
}

void Parameter::release() { slot().reset(); }

void Parameter::set_class_count(std::uint32_t n) {
  if (initialized_ == 1 || static_cast<std::int32_t>(n) <= 0) MUREX_INTERNAL_ERROR();
  class_count_ = n;
  graph_count_.clear();
  graph_count_sized_ = true;
}

void Parameter::initialize() {
  if (initialized_ == 1) fatal("Error : Parameter initialization is already done.");
  class_file_name_.clear();
  initialized_ = 1;
}

void Parameter::set_class_file_name(std::uint32_t i, const std::string& name) {
  if (locked_ == 1 || i >= class_count_ || !initialized_) MUREX_INTERNAL_ERROR();
  if (i < class_file_name_.size() && !class_file_name_[i].empty()) MUREX_INTERNAL_ERROR();
  if (name.empty()) return;  // an empty name is what an unset class holds already
  if (i >= class_file_name_.size()) class_file_name_.resize(i + 1);
  class_file_name_[i] = name;
}

std::string Parameter::get_class_file_name(std::uint32_t i) const {
  if (i >= class_count_ || !initialized_) MUREX_INTERNAL_ERROR();
  return i < class_file_name_.size() ? class_file_name_[i] : std::string();
}

void Parameter::set_directed(std::uint8_t flag) {
  if (initialized_ == 1) MUREX_INTERNAL_ERROR();
  directed_ = flag;
}

void Parameter::set_subgraph(std::uint8_t flag) {
  if (initialized_ == 1) MUREX_INTERNAL_ERROR();
  subgraph_ = flag;
}

void Parameter::set_real_canonical_label(std::uint8_t flag) {
  if (initialized_ == 1) MUREX_INTERNAL_ERROR();
  real_canonical_label_ = flag;
}

void Parameter::set_test_file(std::uint8_t flag) {
  if (initialized_ == 1) MUREX_INTERNAL_ERROR();
  test_file_ = flag;
}

void Parameter::set_test_file_name(const std::string& name) {
  if (locked_ == 1) MUREX_INTERNAL_ERROR();
  test_file_name_ = name;
}

void Parameter::set_beam_width(std::uint32_t width) {
  if (locked_ == 1) MUREX_INTERNAL_ERROR();
  beam_width_ = width;
}

void Parameter::set_graph_count(std::uint32_t i, std::uint32_t count) {
  if (!graph_count_sized_ || i >= class_count_) MUREX_INTERNAL_ERROR();
  if (i < graph_count_.size() && graph_count_[i] != 0) MUREX_INTERNAL_ERROR();
  if (count == 0) return;
  if (i >= graph_count_.size()) graph_count_.resize(i + 1, 0);
  graph_count_[i] = count;
}

std::uint32_t Parameter::get_graph_count(std::uint32_t i) const {
  return i < graph_count_.size() ? graph_count_[i] : 0;
}

void Parameter::lock() {
  if (initialized_ == 0) fatal("Error : The parameter is not initialized yet.");
  if (locked_ == 1) fatal("Error : The parameter is already locked.");
  // Names are stored for a prefix of the classes; the first class without a
  // name is either a gap in that prefix or the first class past it.
  for (std::uint32_t i = 0; i < class_count_; ++i) {
    if (i >= class_file_name_.size() || class_file_name_[i].empty()) {
      fatal("Error : The filename for Class " + std::to_string(static_cast<std::uint64_t>(i) + 1) +
            " is not set yet.");
    }
  }
  if (test_file_ == 1 && test_file_name_.empty()) fatal("Error : The test file name is not set yet.");
  locked_ = 1;
}

}  // namespace murex
