// Reference-counted interfaces of the reporter. Objects are freed by their own
// Release, so an object made by one copy of the reporter is freed by the code
// and heap that made it, whichever copy drops the last reference.
#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

namespace quor {

class IQuorUnknown {
public:
  virtual uint32_t AddRef() = 0;
  virtual uint32_t Release() = 0;

protected:
  ~IQuorUnknown() = default;
};

// Implements AddRef/Release for a class with one interface chain. Objects
// start with no reference; the first QuorPtr takes it.
template <class Interface>
class QuorRefCounted : public Interface {
public:
  uint32_t AddRef() override { return ++refs_; }
  uint32_t Release() override {
    const uint32_t left = --refs_;
    if (left == 0) delete this;
    return left;
  }

protected:
  virtual ~QuorRefCounted() = default;

private:
  std::atomic<uint32_t> refs_{0};
};

// Holds one reference; copies add one, destruction releases it.
template <class T>
class QuorPtr {
public:
  QuorPtr() = default;
  QuorPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }  // NOLINT: implicit from a raw interface
  QuorPtr(const QuorPtr& o) : QuorPtr(o.p_) {}
  QuorPtr(QuorPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  template <class U>
  QuorPtr(const QuorPtr<U>& o) : QuorPtr(o.get()) {}  // NOLINT: derived to base
  ~QuorPtr() {
    if (p_) p_->Release();
  }
  QuorPtr& operator=(QuorPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }

private:
  T* p_ = nullptr;
};

}  // namespace quor
