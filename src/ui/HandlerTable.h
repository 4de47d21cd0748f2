#pragma once

#include <array>
#include <functional>

#include "ui/Handler.h"

namespace ui {

// The functions bound to the handler names. An empty entry means the name is
// not bound; the catalogue test requires every name it uses to be bound.
class HandlerTable {
 public:
  void Bind(Handler h, std::function<void()> fn) {
    fns_[static_cast<std::size_t>(h)] = std::move(fn);
  }
  bool IsBound(Handler h) const { return static_cast<bool>(fns_[static_cast<std::size_t>(h)]); }
  // Calls the handler bound to h; does nothing for Handler::None or an unbound name.
  void Call(Handler h) const {
    const auto& fn = fns_[static_cast<std::size_t>(h)];
    if (h != Handler::None && fn) fn();
  }

 private:
  std::array<std::function<void()>, kHandlerCount> fns_{};
};

}  // namespace ui
