#include "toolkit/MessageHooks.h"

#include <gtest/gtest.h>

#include <string>

namespace tk {
namespace {

// A hook that writes its name into `trace` and passes the message on.
TMessageHook Tracing(std::string& trace, char name) {
  return [&trace, name](const TMessage& m, const TMessageHandler& next) {
    trace += name;
    return next(m);
  };
}

TEST(MessageHookChain, NewestHookRunsFirstThenTheControl) {
  TMessageHookChain chain;
  std::string trace;
  chain.Add(Tracing(trace, 'a'));
  chain.Add(Tracing(trace, 'b'));
  const intptr_t answer = chain.Dispatch({1, 2, 3}, [&trace](const TMessage& m) {
    trace += 'c';
    return static_cast<intptr_t>(m.msg + m.wParam + m.lParam);
  });
  EXPECT_EQ(trace, "bac");
  EXPECT_EQ(answer, 6);
}

TEST(MessageHookChain, HookCanAnswerWithoutPassingOnOrChangeTheMessage) {
  TMessageHookChain chain;
  chain.Add([](const TMessage& m, const TMessageHandler& next) { return next({m.msg, m.wParam * 10, m.lParam}); });
  EXPECT_EQ(chain.Dispatch({0, 4, 0}, [](const TMessage& m) { return static_cast<intptr_t>(m.wParam); }), 40);
  const auto id = chain.Add([](const TMessage&, const TMessageHandler&) -> intptr_t { return -1; });
  EXPECT_EQ(chain.Dispatch({0, 4, 0}, [](const TMessage&) -> intptr_t { return 7; }), -1);
  chain.Remove(id);
  EXPECT_EQ(chain.Dispatch({0, 4, 0}, [](const TMessage& m) { return static_cast<intptr_t>(m.wParam); }), 40);
}

// Hooks taken out in any order leave the others exactly as they were: no
// link puts back a procedure that belonged to one already gone.
TEST(MessageHookChain, RemovingInAnyOrderKeepsTheRest) {
  struct Case {
    std::vector<int> removeOrder;  // indexes of the hooks a, b, c
    std::vector<std::string> traces;
  };
  const Case cases[] = {
      {{0, 1, 2}, {"cb", "c", ""}},
      {{2, 1, 0}, {"ba", "a", ""}},
      {{1, 0, 2}, {"ca", "c", ""}},
      {{1, 2, 0}, {"ca", "a", ""}},
  };
  for (const Case& c : cases) {
    TMessageHookChain chain;
    std::string trace;
    const TMessageHookChain::Id ids[] = {chain.Add(Tracing(trace, 'a')), chain.Add(Tracing(trace, 'b')),
                                         chain.Add(Tracing(trace, 'c'))};
    for (size_t step = 0; step < c.removeOrder.size(); ++step) {
      chain.Remove(ids[c.removeOrder[step]]);
      chain.Remove(ids[c.removeOrder[step]]);  // a second removal changes nothing
      trace.clear();
      chain.Dispatch({}, [](const TMessage&) -> intptr_t { return 0; });
      EXPECT_EQ(trace, c.traces[step]);
    }
    EXPECT_TRUE(chain.Empty());
  }
}

TEST(MessageHookChain, HookRemovedDuringADispatchIsSkippedAndAddedOneWaits) {
  TMessageHookChain chain;
  std::string trace;
  TMessageHookChain::Id inner = 0;
  chain.Add(Tracing(trace, 'a'));
  inner = chain.Add(Tracing(trace, 'b'));
  chain.Add([&](const TMessage& m, const TMessageHandler& next) {
    trace += 'x';
    chain.Remove(inner);
    chain.Add(Tracing(trace, 'n'));
    return next(m);
  });
  chain.Dispatch({}, [](const TMessage&) -> intptr_t { return 0; });
  EXPECT_EQ(trace, "xa");
}

}  // namespace
}  // namespace tk
