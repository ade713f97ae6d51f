// The report upload: one HTTP POST of the form fields and files to the
// configured address, directly or through the system's proxy, over any
// ByteStream.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "report/delivery/quorByteSource.h"
#include "report/delivery/quorByteStream.h"
#include "report/delivery/quorHttpUrl.h"

namespace quor {

struct UploadFile {
  std::string field;   // the form field's name
  std::string sendAs;  // the file name the receiver sees
  ByteSource* source;  // its bytes; an empty source is left out
};

struct HttpUploadJob {
  std::string url;  // setting HttpServer
  uint16_t port = kHttpPort;
  std::string account, password;
  std::string sender;
  std::vector<std::pair<std::string, std::string>> fields;
  std::vector<UploadFile> files;
  std::string proxySetting;  // the system's proxy servers; empty: none
  std::string proxyBypass;   // hosts reached without the proxy
};

struct HttpLimits {
  Milliseconds connect{30000};
  Milliseconds send{30000};   // for each piece sent
  Milliseconds reply{30000};  // for the whole response
};

struct HttpUploadOutcome {
  bool sent = false;  // any 2xx, or a 302
  int status = 0;
  std::string openLocation;  // a 302's Location, when it may be opened in the browser
  std::string error;
};

[[nodiscard]] HttpUploadOutcome UploadReport(const HttpUploadJob& job, ByteStream& stream,
                                             const HttpLimits& limits = {});

}  // namespace quor
