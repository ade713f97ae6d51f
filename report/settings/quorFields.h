// Ordered (name, content) lists: report headers, report sections, added
// fields and the assistants' form cache. Names compare without regard to
// case; contents are trimmed of blanks and control characters, and an empty
// content deletes the field. Every operation holds the list's own lock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/settings/quorUnknown.h"

namespace quor {

class IQuorFields : public IQuorUnknown {
public:
  virtual int32_t Count() = 0;
  // Name and content of an item; false (and both empty) for a bad index.
  virtual bool Item(int32_t index, std::string& name, std::string& content) = 0;
  virtual int32_t Find(std::string_view name) = 0;  // index or -1
  virtual std::string Content(std::string_view name) = 0;
  // Changes the content of the named field in place or adds it. The
  // modifying operations return false when nothing changed.
  virtual bool SetContent(std::string_view name, std::string_view content) = 0;
  // Adds at the insertion position; a field of the same name moves there.
  virtual bool Add(std::string_view name, std::string_view content) = 0;
  // Inserts at `index` (clamped to the list); a field of the same name moves there.
  virtual bool Insert(int32_t index, std::string_view name, std::string_view content) = 0;
  virtual bool Delete(int32_t index) = 0;
  virtual bool Delete(std::string_view name) = 0;
  // A new list with the same items (no owner, no insertion position).
  virtual QuorPtr<IQuorFields> Clone() = 0;
};

// Told after every change of a list it owns. LockOwner/UnlockOwner wrap
// every operation, so an owner with a lock of its own is taken first.
class IQuorFieldsOwner {
public:
  virtual void FieldsChanged(IQuorFields& fields) = 0;
  virtual void LockOwner() {}
  virtual void UnlockOwner() {}

protected:
  ~IQuorFieldsOwner() = default;
};

class IQuorFieldsEx : public IQuorFields {
public:
  // A list that refuses data keeps what it has: every change returns false.
  virtual void SetRefuseData(bool refuse) = 0;
  // New fields go to this index, which then moves past them so fields added
  // in a row keep their order; 0 or less: at the end.
  virtual void SetInsertPosition(int32_t position) = 0;
  virtual int32_t InsertPosition() = 0;
  // null detaches: the list no longer reports changes.
  virtual void SetOwner(IQuorFieldsOwner* owner) = 0;
  // Holds the list's lock across several operations (recursive).
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
};

[[nodiscard]] QuorPtr<IQuorFieldsEx> NewQuorFields();

}  // namespace quor
