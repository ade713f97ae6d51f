#include "report/settings/quorAttachments.h"

#include <mutex>
#include <utility>

#include "report/settings/quorEncodedLists.h"
#include "report/text/quorText.h"

namespace quor {
namespace {

class TIQuorAttachments final : public QuorRefCounted<IQuorAttachments> {
public:
  TIQuorAttachments(std::vector<AttachmentEntry> entries, IQuorAttachmentsOwner* owner)
      : entries_(std::move(entries)), owner_(owner) {}

  bool Add(std::string_view file, std::string_view sendAs, std::string_view fieldName,
           std::string_view zipName) override {
    if (file.empty()) return false;
    AttachmentEntry e{std::string(file), std::string(sendAs), std::string(zipName), std::string(fieldName)};
    if (e.sendAs.empty()) e.sendAs = std::string(BareFileName(file));
    if (e.field.empty()) e.field = e.sendAs.substr(0, e.sendAs.rfind('.'));
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    entries_.push_back(std::move(e));
    return Changed();
  }

  bool Delete(std::string_view file) override {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
      if (SameText(it->file, file)) {
        entries_.erase(it);
        return Changed();
      }
    return false;
  }

  int32_t Count() override {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    return static_cast<int32_t>(entries_.size());
  }

  bool Item(int32_t index, AttachmentEntry& entry) override {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) {
      entry = {};
      return false;
    }
    entry = entries_[static_cast<size_t>(index)];
    return true;
  }

  void Clear() override {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (entries_.empty()) return;
    entries_.clear();
    Changed();
  }

  QuorPtr<IQuorAttachments> Clone() override {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    return QuorPtr<IQuorAttachments>(new TIQuorAttachments(entries_, nullptr));
  }

private:
  bool Changed() {
    if (owner_) owner_->AttachmentsChanged(entries_);
    return true;
  }

  std::recursive_mutex mutex_;
  std::vector<AttachmentEntry> entries_;
  IQuorAttachmentsOwner* owner_;
};

}  // namespace

QuorPtr<IQuorAttachments> NewQuorAttachments(std::vector<AttachmentEntry> entries, IQuorAttachmentsOwner* owner) {
  return QuorPtr<IQuorAttachments>(new TIQuorAttachments(std::move(entries), owner));
}

}  // namespace quor
