// The screenshot of one exception: whether the exception's filter group
// wants one and whether it goes with the report, the picture taken on the
// first request, and a failed capture that switches screenshots off for
// this exception (no second try on every later request).
#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "report/screenshot/quorNVBitmap.h"

namespace quor {

class TExceptScreenshot {
public:
  // Takes the picture: CaptureScreen, a stand-in in tests.
  using TCapture = std::function<std::unique_ptr<INVBitmap>(bool appOnly)>;

  explicit TExceptScreenshot(bool creates, TCapture capture = &CaptureScreen)
      : creates_(creates), attaches_(creates), capture_(std::move(capture)) {}

  [[nodiscard]] bool Creates() const;
  void SetCreates(bool creates);
  [[nodiscard]] bool Attaches() const;
  void SetAttaches(bool attaches);

  // The picture, taken now with `appOnly` if there is none yet and
  // screenshots are on; none when they are off or the capture failed.
  [[nodiscard]] std::shared_ptr<const INVBitmap> Get(bool appOnly);
  // Only the picture already taken or set.
  [[nodiscard]] std::shared_ptr<const INVBitmap> Taken() const;
  // A picture (the user's edit) replaces the screenshot.
  void Set(std::shared_ptr<const INVBitmap> picture);

private:
  mutable std::mutex lock_;
  bool creates_, attaches_;
  TCapture capture_;
  std::shared_ptr<const INVBitmap> picture_;
};

}  // namespace quor
