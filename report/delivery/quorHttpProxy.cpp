#include "report/delivery/quorHttpProxy.h"

#include <cctype>
#include <vector>

#include "report/delivery/quorHttpUrl.h"
#include "report/text/quorText.h"

namespace quor {

namespace {

constexpr std::string_view kLocal = "<local>";
constexpr std::string_view kSchemeSeparator = "://";

std::vector<std::string_view> Entries(std::string_view list, std::string_view separators) {
  std::vector<std::string_view> entries;
  while (!list.empty()) {
    const size_t end = list.find_first_of(separators);
    if (end != 0) entries.push_back(list.substr(0, end));
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return entries;
}

char Lower(char c) { return char(std::tolower(static_cast<unsigned char>(c))); }

// Wildcard match with "*", iterative with one backtracking point.
bool Matches(std::string_view text, std::string_view pattern) {
  size_t t = 0, p = 0, starAt = std::string_view::npos, resumeAt = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = t;
    } else if (p < pattern.size() && Lower(pattern[p]) == Lower(text[t])) {
      ++p;
      ++t;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      t = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::optional<HttpProxy> ProxyOf(std::string_view server) {
  if (const size_t scheme = server.find(kSchemeSeparator); scheme != std::string_view::npos)
    server.remove_prefix(scheme + kSchemeSeparator.size());
  server = server.substr(0, server.find('/'));
  HttpProxy proxy{std::string(server), kHttpPort};
  if (const size_t colon = server.rfind(':'); colon != std::string_view::npos) {
    const auto port = ParsePort(server.substr(colon + 1));
    if (!port) return std::nullopt;
    proxy.host = std::string(server.substr(0, colon));
    proxy.port = *port;
  }
  if (proxy.host.empty()) return std::nullopt;
  return proxy;
}

}  // namespace

std::optional<HttpProxy> HttpProxyFromSetting(std::string_view setting) {
  for (std::string_view entry : Entries(setting, "; \t")) {
    const size_t equals = entry.find('=');
    if (equals == std::string_view::npos) return ProxyOf(entry);
    if (SameText(entry.substr(0, equals), "http")) return ProxyOf(entry.substr(equals + 1));
  }
  return std::nullopt;
}

bool ProxyBypassed(std::string_view host, std::string_view bypassList) {
  for (std::string_view entry : Entries(bypassList, ";, \t")) {
    if (SameText(entry, kLocal)) {
      if (host.find('.') == std::string_view::npos) return true;
    } else if (Matches(host, entry)) {
      return true;
    }
  }
  return false;
}

}  // namespace quor
