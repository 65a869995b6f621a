#pragma once
// The factory through which every run-kind object is created: data graphs,
// pair records and countable pairs of the kind fixed by the graph type and
// the counting mode. The caller owns every object a factory creates.
// `Factory_holder` keeps the one factory of the run; setting it twice is an
// internal error.

#include <cstdint>
#include <memory>

namespace murex {

class Countable_pair;
class Data_graph;
class Pair;
class Search_context;
namespace MyCl {
class Unit;
}

class Murex_factory {
 public:
  virtual ~Murex_factory() = default;
  virtual std::unique_ptr<Data_graph> create_graph(std::int32_t graph_number, Search_context* context) const = 0;
  // A pair record of this factory's kind copied from any pair.
  virtual std::unique_ptr<Pair> copy_pair(Pair& pair) const = 0;
  // A pair record describing the unit's pattern.
  virtual std::unique_ptr<Pair> create_pair(MyCl::Unit* unit, Search_context* context) const = 0;
  virtual std::unique_ptr<Pair> create_empty_pair(Search_context* context) const = 0;
  virtual std::unique_ptr<Countable_pair> create_countable_pair(MyCl::Unit* unit, Data_graph* graph,
                                                                std::int32_t class_index,
                                                                Search_context* context) const = 0;
};

class Factory_holder {
 public:
  static Factory_holder& instance();
  static void release();

  // A second set is an internal error.
  void set(std::unique_ptr<Murex_factory> factory);
  const Murex_factory* get() const { return factory_.get(); }

 private:
  std::unique_ptr<Murex_factory> factory_;
};

}  // namespace murex
