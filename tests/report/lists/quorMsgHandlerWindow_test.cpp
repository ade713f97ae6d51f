// The per-thread message-handler windows: created by their own thread only,
// handlers called in that thread with the result they may change, the
// window gone with its last handler, and one lock for every thread.
#include "report/lists/quorMsgHandlerWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>
#include <vector>

namespace quor {
namespace {

std::atomic<int> g_calls{0};
std::atomic<DWORD> g_callingThread{0};

void CountCall(uintptr_t, uint32_t, uintptr_t wParam, intptr_t* result, intptr_t lParam) {
  ++g_calls;
  g_callingThread = GetCurrentThreadId();
  *result = intptr_t(wParam + uintptr_t(lParam));
}

void AddOne(void* object, uintptr_t, uint32_t, uintptr_t, intptr_t* result, intptr_t) {
  ++*static_cast<int*>(object);
  ++*result;
}

TEST(MsgHandlerWindow, HandlersRunInTheOwningThread) {
  g_calls = 0;
  const uint32_t message = AddMessageHandler(&CountCall, 0, 0);
  ASSERT_GE(message, 1024u);
  EXPECT_EQ(AddMessageHandler(&CountCall, 0, 0), message + 1);
  EXPECT_EQ(AddMessageHandler(&CountCall, message, 0), 0u);
  const HWND window = reinterpret_cast<HWND>(FindMessageHandlerWindow(0));
  ASSERT_NE(window, nullptr);
  char className[128] = {};
  GetClassNameA(window, className, sizeof className);
  char prefix[64];
  std::snprintf(prefix, sizeof prefix, "quorToolsMsgHandlerWindow$%lx$", GetCurrentThreadId());
  EXPECT_EQ(std::string(className).rfind(prefix, 0), 0u) << className;
  EXPECT_FALSE(IsWindowVisible(window));

  // Another thread finds the window but makes none of its own, and its
  // message reaches the handler in this thread.
  const DWORD owner = GetCurrentThreadId();
  uintptr_t seen = 0, own = 1;
  LRESULT answer = 0;
  std::atomic<bool> done{false};
  std::thread other([&] {
    own = FindMessageHandlerWindow(GetCurrentThreadId() + 4);  // a thread without a window
    seen = FindMessageHandlerWindow(owner);
    answer = SendMessageA(reinterpret_cast<HWND>(seen), message, 40, 2);
    done = true;
  });
  // A message sent from another thread is delivered while this one pumps.
  while (!done) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  other.join();
  EXPECT_EQ(seen, reinterpret_cast<uintptr_t>(window));
  EXPECT_EQ(own, 0u);
  EXPECT_EQ(answer, 42);
  EXPECT_EQ(g_calls, 1);
  EXPECT_EQ(g_callingThread, GetCurrentThreadId());

  int count = 0;
  ASSERT_EQ(AddMessageHandler(&AddOne, &count, message, 0), message);
  EXPECT_EQ(SendMessageA(window, message, 1, 1), 3);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(g_calls, 2);

  RemoveMessageHandler(&CountCall, 0, 0);
  RemoveMessageHandler(&AddOne, &count, message, 0);
  EXPECT_FALSE(IsWindow(window));
  // A new one on request.
  EXPECT_NE(FindMessageHandlerWindow(0), 0u);
}

// Threads that register on one window at the same time share the one lock:
// every handler gets a number of its own.
TEST(MsgHandlerWindow, ThreadsRegisteringAtOnceGetDistinctNumbers) {
  ASSERT_NE(FindMessageHandlerWindow(0), 0u);
  const DWORD owner = GetCurrentThreadId();
  constexpr int kThreads = 4, kEach = 100;
  std::vector<std::vector<uint32_t>> numbers(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) numbers[t].push_back(AddMessageHandler(&CountCall, 0, owner));
    });
  for (auto& t : threads) t.join();
  std::set<uint32_t> distinct;
  for (const auto& list : numbers)
    for (const uint32_t n : list) {
      EXPECT_NE(n, 0u);
      distinct.insert(n);
    }
  EXPECT_EQ(distinct.size(), size_t(kThreads * kEach));
  EXPECT_EQ(*distinct.begin(), 1024u);
  EXPECT_EQ(*distinct.rbegin(), 1024u + kThreads * kEach - 1);
  RemoveMessageHandler(&CountCall, 0, 0);
  EXPECT_EQ(AddMessageHandler(&CountCall, 0, 0xFFFFFFF0u), 0u);  // no such thread's window
}

}  // namespace
}  // namespace quor
