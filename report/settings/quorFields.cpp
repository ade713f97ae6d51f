#include "report/settings/quorFields.h"

#include <mutex>
#include <utility>
#include <vector>

#include "report/text/quorText.h"

namespace quor {
namespace {

class TIQuorFields final : public QuorRefCounted<IQuorFieldsEx> {
public:
  int32_t Count() override {
    Guard g(*this);
    return int32_t(items_.size());
  }

  bool Item(int32_t index, std::string& name, std::string& content) override {
    Guard g(*this);
    if (!Valid(index)) {
      name.clear();
      content.clear();
      return false;
    }
    name = items_[size_t(index)].first;
    content = items_[size_t(index)].second;
    return true;
  }

  int32_t Find(std::string_view name) override {
    Guard g(*this);
    return IndexOf(name);
  }

  std::string Content(std::string_view name) override {
    Guard g(*this);
    const int32_t i = IndexOf(name);
    return i < 0 ? std::string() : items_[size_t(i)].second;
  }

  bool SetContent(std::string_view name, std::string_view content) override {
    Guard g(*this);
    if (refuse_) return false;
    content = TrimText(content);
    const int32_t i = IndexOf(name);
    if (content.empty()) return i >= 0 && Erase(i);
    if (i < 0) return Place(NextInsertIndex(), name, content);
    if (items_[size_t(i)].second == content) return false;
    items_[size_t(i)].second = std::string(content);
    return Changed();
  }

  bool Add(std::string_view name, std::string_view content) override {
    Guard g(*this);
    return !refuse_ && Move(NextInsertIndex(), name, content);
  }

  bool Insert(int32_t index, std::string_view name, std::string_view content) override {
    Guard g(*this);
    return !refuse_ && Move(index, name, content);
  }

  bool Delete(int32_t index) override {
    Guard g(*this);
    return !refuse_ && Valid(index) && Erase(index);
  }

  bool Delete(std::string_view name) override {
    Guard g(*this);
    const int32_t i = IndexOf(name);
    return !refuse_ && i >= 0 && Erase(i);
  }

  QuorPtr<IQuorFields> Clone() override {
    Guard g(*this);
    auto* copy = new TIQuorFields;
    copy->items_ = items_;
    return QuorPtr<IQuorFields>(copy);
  }

  void SetRefuseData(bool refuse) override {
    Guard g(*this);
    refuse_ = refuse;
  }
  void SetInsertPosition(int32_t position) override {
    Guard g(*this);
    insertPosition_ = position;
  }
  int32_t InsertPosition() override {
    Guard g(*this);
    return insertPosition_;
  }
  void SetOwner(IQuorFieldsOwner* owner) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    owner_ = owner;
  }
  void Lock() override { mutex_.lock(); }
  void Unlock() override { mutex_.unlock(); }

private:
  // Takes the owner's lock, then the list's.
  class Guard {
  public:
    explicit Guard(TIQuorFields& f) : f_(f), owner_(nullptr) {
      f_.mutex_.lock();
      owner_ = f_.owner_;
      if (owner_) {
        // The owner's lock comes first; take it without holding ours.
        f_.mutex_.unlock();
        owner_->LockOwner();
        f_.mutex_.lock();
      }
    }
    ~Guard() {
      f_.mutex_.unlock();
      if (owner_) owner_->UnlockOwner();
    }

  private:
    TIQuorFields& f_;
    IQuorFieldsOwner* owner_;
  };

  bool Valid(int32_t index) const { return index >= 0 && size_t(index) < items_.size(); }

  int32_t IndexOf(std::string_view name) const {
    for (size_t i = 0; i < items_.size(); ++i)
      if (SameText(items_[i].first, name)) return int32_t(i);
    return -1;
  }

  int32_t NextInsertIndex() const { return insertPosition_ > 0 ? insertPosition_ : int32_t(items_.size()); }

  // Removes a field of that name, then places the field at `index`.
  bool Move(int32_t index, std::string_view name, std::string_view content) {
    content = TrimText(content);
    const int32_t old = IndexOf(name);
    if (content.empty()) return old >= 0 && Erase(old);
    if (old >= 0) {
      items_.erase(items_.begin() + old);
      if (old < index) --index;
      if (insertPosition_ > 0 && old < insertPosition_) --insertPosition_;
    }
    return Place(index, name, content);
  }

  bool Place(int32_t index, std::string_view name, std::string_view content) {
    const size_t at = index < 0 || size_t(index) > items_.size() ? items_.size() : size_t(index);
    items_.insert(items_.begin() + ptrdiff_t(at), {std::string(name), std::string(content)});
    if (insertPosition_ > 0 && int32_t(at) == insertPosition_) ++insertPosition_;
    return Changed();
  }

  bool Erase(int32_t index) {
    items_.erase(items_.begin() + index);
    if (insertPosition_ > 0 && index < insertPosition_) --insertPosition_;
    return Changed();
  }

  bool Changed() {
    if (owner_) owner_->FieldsChanged(*this);
    return true;
  }

  std::recursive_mutex mutex_;
  std::vector<std::pair<std::string, std::string>> items_;
  IQuorFieldsOwner* owner_ = nullptr;
  int32_t insertPosition_ = 0;
  bool refuse_ = false;
};

}  // namespace

QuorPtr<IQuorFieldsEx> NewQuorFields() { return QuorPtr<IQuorFieldsEx>(new TIQuorFields); }

}  // namespace quor
