#include "toolkit/MessageHooks.h"

#include <algorithm>

namespace tk {

TMessageHookChain::Id TMessageHookChain::Add(TMessageHook hook) {
  const Id id = nextId_++;
  links_.insert(links_.begin(), std::make_shared<Link>(Link{id, std::move(hook)}));
  return id;
}

void TMessageHookChain::Remove(Id id) {
  const auto it = std::find_if(links_.begin(), links_.end(), [id](const auto& link) { return link->id == id; });
  if (it == links_.end()) return;
  (*it)->removed = true;
  links_.erase(it);
}

intptr_t TMessageHookChain::Dispatch(const TMessage& message, const TMessageHandler& last) const {
  if (links_.empty()) return last(message);
  // The message runs through the chain as it was when it arrived: hooks
  // added meanwhile see the next message, removed ones are skipped.
  const Links snapshot = links_;
  return Run(snapshot, 0, message, last);
}

intptr_t TMessageHookChain::Run(const Links& links, size_t index, const TMessage& message, const TMessageHandler& last) {
  while (index < links.size() && links[index]->removed) ++index;
  if (index == links.size()) return last(message);
  const TMessageHandler next = [&links, index, &last](const TMessage& m) { return Run(links, index + 1, m, last); };
  return links[index]->hook(message, next);
}

}  // namespace tk
