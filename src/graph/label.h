#pragma once
// Labels and label tables.
//
// A label is an entry of a table: its number (1, 2, 3 ... in order of first
// appearance; 0 only for the placeholder of removed nodes), its name, and the
// count of elements carrying it. A table owns its labels; everything else
// points to them. A node label may name the chunk it stands for (not owned).
// Label maps carry each label of a source search state to its copy while a
// branch is cloned; they are indexed by label number.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

namespace murex {

class Chunk;
class Search_context;

class Label {
 public:
  Label(std::int32_t number, std::string name, Search_context* context)
      : number_(number), name_(std::move(name)), context_(context) {}
  virtual ~Label() = default;
  Label(const Label&) = delete;
  Label& operator=(const Label&) = delete;

  std::int32_t get_number() const { return number_; }
  const std::string& get_name() const { return name_; }
  std::int32_t get_count() const { return count_; }
  void increase_count(std::int32_t n) { count_ += n; }
  void decrease_count(std::int32_t n) { count_ -= n; }
  Search_context* get_context() const { return context_; }

  // "number name count", nothing after.
  void print(std::ostream& out) const;

 private:
  std::int32_t number_;
  std::string name_;
  std::int32_t count_ = 0;
  Search_context* context_;
};

class Node_label final : public Label {
 public:
  using Label::Label;
  Chunk* get_chunk() const { return chunk_; }
  void set_chunk(Chunk* chunk) { chunk_ = chunk; }

 private:
  Chunk* chunk_ = nullptr;  // the chunk this label names; not owned
};

class Link_label final : public Label {
 public:
  using Label::Label;
};

// Source label -> copy, indexed by the source label's number.
template <class L>
class Label_map {
 public:
  void add(const L* source, L* copy) {
    const auto k = static_cast<std::size_t>(source->get_number());
    if (k >= images_.size()) images_.resize(k + 1, nullptr);
    images_[k] = copy;
  }
  // The copy of `source`, or null when it has none (or `source` is null).
  L* image(const L* source) const {
    if (source == nullptr) return nullptr;
    const auto k = static_cast<std::size_t>(source->get_number());
    return k < images_.size() ? images_[k] : nullptr;
  }

 private:
  std::vector<L*> images_;
};

using Node_label_map = Label_map<Node_label>;
using Link_label_map = Label_map<Link_label>;

// A table of labels of one kind, in creation order; entry k has number k.
template <class L>
class Label_table {
 public:
  explicit Label_table(Search_context* context) : context_(context) {}
  Label_table(const Label_table&) = delete;
  Label_table& operator=(const Label_table&) = delete;

  // The entry named `name` (byte for byte), created when there is none.
  L* find_or_create(const std::string& name);
  // Always a new entry, numbered after the existing ones.
  L* create(const std::string& name);
  // Entry k, 1 <= k <= size.
  L* label_at(std::int32_t k) const { return labels_[static_cast<std::size_t>(k) - 1].get(); }
  // Copies every entry of `source` (count 0, same chunk pointer) and records it in `map`.
  void clone_from(const Label_table& source, Label_map<L>& map);
  std::int32_t get_size() const { return static_cast<std::int32_t>(labels_.size()); }
  // For every entry: " ", its print, "\n"; then one more "\n".
  void print(std::ostream& out) const;

 private:
  std::vector<std::unique_ptr<L>> labels_;
  // Name -> the first entry of that name, for find_or_create.
  std::unordered_map<std::string, L*> by_name_;
  Search_context* context_;
};

using Node_label_table = Label_table<Node_label>;
using Link_label_table = Label_table<Link_label>;

}  // namespace murex
