// A control's message chain. Hooks installed on a control see each of its
// messages before the control's own handler, the newest hook first, and
// pass it on (or not) through `next`. The chain belongs to the control, not
// to its window, so it survives the window being created again; removing a
// hook takes out only its own link, whatever order hooks come and go in.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tk {

// The parts of a window message, in the widths Windows gives them.
struct TMessage {
  unsigned msg;
  uintptr_t wParam;
  intptr_t lParam;
};

using TMessageHandler = std::function<intptr_t(const TMessage&)>;
using TMessageHook = std::function<intptr_t(const TMessage&, const TMessageHandler& next)>;

class TMessageHookChain {
public:
  using Id = uint64_t;

  // Installs a hook in front of the others; the answer names it for Remove.
  Id Add(TMessageHook hook);
  // Takes out the hook Add answered with `id`; unknown ids are ignored. A
  // hook removed while a message runs through the chain is skipped by it.
  void Remove(Id id);
  bool Empty() const { return links_.empty(); }

  // Runs the message through the hooks, then through `last`.
  intptr_t Dispatch(const TMessage& message, const TMessageHandler& last) const;

private:
  struct Link {
    Id id;
    TMessageHook hook;
    bool removed = false;
  };
  using Links = std::vector<std::shared_ptr<Link>>;
  static intptr_t Run(const Links& links, size_t index, const TMessage& message, const TMessageHandler& last);

  Links links_;  // newest first
  Id nextId_ = 1;
};

}  // namespace tk
