#include "report/handling/quorHandlingRequest.h"

#include "report/text/quorLittleEndian.h"

namespace quor {

namespace {

// Visits the fields in their stored order with their widths.
template <class Request, class Field>
void Fields(Request& r, Field field) {
  field(r.Event);
  field(r.ThreadId);
  field(r.Kind);
  field(r.ExceptObject);
  field(r.ExceptAddress);
  field(r.CanContinue);
  field(r.StackPointer);
  field(r.FramePointer);
  field(r.Context);
  field(r.BugReportOut);
  field(r.Source);
  field(r.Sender);
  field(r.ReservedModule);
  field(r.PreparedStack);
}

}  // namespace

THandlingRequestBytes PackHandlingRequest(const THandlingRequest& r) {
  THandlingRequestBytes bytes{};
  size_t at = 0;
  Fields(r, [&](auto value) {
    if constexpr (sizeof(value) == 1) {
      bytes[at++] = value;
    } else {
      StoreLe32(bytes.data() + at, value);
      at += 4;
    }
  });
  return bytes;
}

THandlingRequest UnpackHandlingRequest(const THandlingRequestBytes& bytes) {
  THandlingRequest r;
  size_t at = 0;
  Fields(r, [&](auto& value) {
    if constexpr (sizeof(value) == 1) {
      value = bytes[at++];
    } else {
      value = LoadLe32(bytes.data() + at);
      at += 4;
    }
  });
  return r;
}

}  // namespace quor
