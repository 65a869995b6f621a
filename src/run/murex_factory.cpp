#include "run/murex_factory.h"

#include "run/fatal.h"

namespace murex {
namespace {
std::unique_ptr<Factory_holder>& slot() {
  static std::unique_ptr<Factory_holder> holder;
  return holder;
}
}  // namespace

Factory_holder& Factory_holder::instance() {
  auto& s = slot();
  if (!s) s = std::make_unique<Factory_holder>();
  return *s;
}

void Factory_holder::release() { slot().reset(); }

void Factory_holder::set(std::unique_ptr<Murex_factory> factory) {
  if (factory_) MUREX_INTERNAL_ERROR();
  factory_ = std::move(factory);
}

}  // namespace murex
