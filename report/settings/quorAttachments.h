// The files sent with a report: an ordered list of (file, send-as name, zip
// archive, form field) entries. A list that belongs to a settings object
// writes itself back into AddAttachs after every change. Every operation
// holds the list's own lock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/settings/quorEncodedLists.h"
#include "report/settings/quorUnknown.h"

namespace quor {

class IQuorAttachments : public IQuorUnknown {
public:
  // An empty file is ignored (false). An empty send-as name becomes the
  // file's name without folder, an empty field name the send-as name
  // without its extension.
  virtual bool Add(std::string_view file, std::string_view sendAs, std::string_view fieldName,
                   std::string_view zipName) = 0;
  // Removes the first entry of that file (without regard to case).
  virtual bool Delete(std::string_view file) = 0;
  virtual int32_t Count() = 0;
  // False (and an empty entry) for a bad index.
  virtual bool Item(int32_t index, AttachmentEntry& entry) = 0;
  virtual void Clear() = 0;
  // A new list with the same entries and no owner.
  virtual QuorPtr<IQuorAttachments> Clone() = 0;
};

// Told after every change, with the entries as they are now, while the
// list's lock is held (changes reach the owner in the order they happen).
class IQuorAttachmentsOwner {
public:
  virtual void AttachmentsChanged(const std::vector<AttachmentEntry>& entries) = 0;

protected:
  ~IQuorAttachmentsOwner() = default;
};

// `owner` may be null; entries are the list's first contents (not reported).
[[nodiscard]] QuorPtr<IQuorAttachments> NewQuorAttachments(std::vector<AttachmentEntry> entries,
                                                          IQuorAttachmentsOwner* owner);

}  // namespace quor
