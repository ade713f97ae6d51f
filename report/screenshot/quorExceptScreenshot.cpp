#include "report/screenshot/quorExceptScreenshot.h"

namespace quor {

bool TExceptScreenshot::Creates() const {
  const std::lock_guard hold(lock_);
  return creates_;
}

void TExceptScreenshot::SetCreates(bool creates) {
  const std::lock_guard hold(lock_);
  creates_ = creates;
}

bool TExceptScreenshot::Attaches() const {
  const std::lock_guard hold(lock_);
  return attaches_;
}

void TExceptScreenshot::SetAttaches(bool attaches) {
  const std::lock_guard hold(lock_);
  attaches_ = attaches;
}

std::shared_ptr<const INVBitmap> TExceptScreenshot::Get(bool appOnly) {
  const std::lock_guard hold(lock_);
  if (!picture_ && creates_) {
    picture_ = capture_(appOnly);
    if (!picture_) creates_ = false;
  }
  return picture_;
}

std::shared_ptr<const INVBitmap> TExceptScreenshot::Taken() const {
  const std::lock_guard hold(lock_);
  return picture_;
}

void TExceptScreenshot::Set(std::shared_ptr<const INVBitmap> picture) {
  const std::lock_guard hold(lock_);
  picture_ = std::move(picture);
}

}  // namespace quor
