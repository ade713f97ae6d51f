#include "tests/report/delivery/MailPeer.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quor_test {

namespace {

constexpr auto kStartTimeout = std::chrono::seconds(20);

}  // namespace

std::string FromHex(const std::string& hex) {
  if (hex == "-") return {};
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::vector<std::vector<std::string>> WordLines(std::istream& lines) {
  std::vector<std::vector<std::string>> result;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    result.emplace_back();
    for (std::string word; words >> word;) result.back().push_back(word);
  }
  return result;
}

MailPeer::MailPeer(const std::vector<std::string>& options) {
  std::string pattern = std::filesystem::temp_directory_path().string() + "/quor_mail_XXXXXX";
  if (mkdtemp(pattern.data())) store_ = pattern;
  std::vector<std::string> argv = {QUOR_TEST_PYTHON, PeerScript("smtp_peer.py"), "--store", store_};
  argv.insert(argv.end(), options.begin(), options.end());
  process_ = std::make_unique<PeerProcess>(argv);
  const std::string line = process_->FirstLine(kStartTimeout);
  port_ = line.empty() ? 0 : uint16_t(std::stoi(line));
}

MailPeer::~MailPeer() {
  process_.reset();
  if (!store_.empty()) std::filesystem::remove_all(store_);
}

size_t MailPeer::StoredCount() const {
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(store_))
    count += entry.path().extension() == ".eml";
  return count;
}

std::vector<std::string> MailPeer::Envelope(int n) const {
  std::ifstream in(store_ + "/" + std::to_string(n) + ".envelope");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::multimap<std::string, std::vector<std::string>> MailPeer::Facts(int n) const {
  int exitCode = 0;
  const std::string output = CommandOutput(std::string(QUOR_TEST_PYTHON) + " " + PeerScript("mail_dump.py") + " " +
                                               store_ + "/" + std::to_string(n) + ".eml",
                                           exitCode);
  std::multimap<std::string, std::vector<std::string>> facts;
  if (exitCode != 0) {
    facts.emplace("error", std::vector<std::string>{output});
    return facts;
  }
  std::istringstream lines(output);
  for (std::vector<std::string> words : WordLines(lines)) {
    if (words.empty()) continue;
    const std::string kind = words[0];
    words.erase(words.begin());
    if (kind != "defect")
      for (std::string& word : words) word = FromHex(word);
    facts.emplace(kind, words);
  }
  return facts;
}

}  // namespace quor_test
