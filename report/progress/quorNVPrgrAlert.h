// The progress window: one line of text and a bar, shown while a report is
// built or sent. Progress is planned as weighted areas; the caller moves
// from area to area and reports the position inside the current one in
// thousandths. It works from the thread that showed it and from threads
// without a message loop of their own (their updates are posted).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "report/settings/quorUnknown.h"

namespace quor {

class IProgressAlert : public IQuorUnknown {
public:
  [[nodiscard]] virtual std::string Title() = 0;
  // Changes the caption at once when it differs.
  virtual void SetTitle(const std::string& title) = 0;
  [[nodiscard]] virtual int32_t Position() = 0;
  // Thousandths inside the current area, 0..1000.
  virtual void SetPosition(int32_t permille) = 0;
  // An empty text repeats the previous area's text.
  virtual void AddArea(const std::string& text, uint64_t weight) = 0;
  // Also starts the current area, the total and the position again.
  virtual void ClearAreas() = 0;
  virtual void NextArea() = 0;
  [[nodiscard]] virtual int32_t CurrentArea() = 0;
  // One past the last area completes the bar.
  virtual void SetCurrentArea(int32_t index) = 0;
  // Dispatches the calling thread's pending messages, only in the thread
  // that showed the window.
  virtual void ProcessMessages() = 0;
  // Once only. The owner (or none) is disabled while the window shows; with
  // `activate` the window is centred and active, without it sits at the
  // bottom right of the work area and leaves the focus where it is.
  virtual void Show(HWND owner, bool activate) = 0;
  virtual void Close() = 0;

protected:
  ~IProgressAlert() = default;
};

// `iconName`: a raw 32 x 32 icon resource (resource type 2) in `module`;
// when it is missing the window has no icon.
[[nodiscard]] QuorPtr<IProgressAlert> NewProgressAlert(const std::string& title, HMODULE module,
                                                       const std::string& iconName);

}  // namespace quor
