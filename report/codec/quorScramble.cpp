#include "report/codec/quorScramble.h"

#include "report/codec/quorBase64.h"
#include "report/text/quorLittleEndian.h"

namespace quor {

namespace {

constexpr uint32_t kDelta = 0x9E3779B9;
constexpr int kCycles = 32;
constexpr uint32_t kIvTag = 0x5156524C;
constexpr size_t kBlock = 8;

struct Block {
  uint32_t v0, v1;
};

Block Encipher(Block b, const ScrambleKey& key) {
  const uint32_t* k = key.words;
  uint32_t sum = 0;
  for (int i = 0; i < kCycles; ++i) {
    b.v0 += (((b.v1 << 4) ^ (b.v1 >> 5)) + b.v1) ^ (sum + k[sum & 3]);
    sum += kDelta;
    b.v1 += (((b.v0 << 4) ^ (b.v0 >> 5)) + b.v0) ^ (sum + k[(sum >> 11) & 3]);
  }
  return b;
}

Block Decipher(Block b, const ScrambleKey& key) {
  const uint32_t* k = key.words;
  uint32_t sum = kDelta * uint32_t(kCycles);
  for (int i = 0; i < kCycles; ++i) {
    b.v1 -= (((b.v0 << 4) ^ (b.v0 >> 5)) + b.v0) ^ (sum + k[(sum >> 11) & 3]);
    sum -= kDelta;
    b.v0 -= (((b.v1 << 4) ^ (b.v1 >> 5)) + b.v1) ^ (sum + k[sum & 3]);
  }
  return b;
}

Block Load(const unsigned char* p) { return {LoadLe32(p), LoadLe32(p + 4)}; }

void Store(unsigned char* p, Block b) {
  StoreLe32(p, b.v0);
  StoreLe32(p + 4, b.v1);
}

Block Xor(Block a, Block b) { return {a.v0 ^ b.v0, a.v1 ^ b.v1}; }

// Xors a final partial block with the encryption of the last scrambled
// block; the same step scrambles and unscrambles it.
void XorTail(unsigned char* tail, size_t count, Block chain, const ScrambleKey& key) {
  unsigned char pad[kBlock];
  Store(pad, Encipher(chain, key));
  for (size_t i = 0; i < count; ++i) tail[i] ^= pad[i];
}

Block InitialVector(size_t length, const ScrambleKey& key) { return Encipher({uint32_t(length), kIvTag}, key); }

enum class Direction { kScramble, kUnscramble };

void Run(unsigned char* data, size_t length, const ScrambleKey& key, Direction direction) {
  Block chain = InitialVector(length, key);
  size_t offset = 0;
  for (; length - offset >= kBlock; offset += kBlock) {
    const Block in = Load(data + offset);
    const Block out = direction == Direction::kScramble ? Encipher(Xor(in, chain), key) : Xor(Decipher(in, key), chain);
    Store(data + offset, out);
    chain = direction == Direction::kScramble ? out : in;
  }
  XorTail(data + offset, length - offset, chain, key);
}

std::string RunString(std::string_view text, const ScrambleKey& key, Direction direction) {
  std::string result(text);
  Run(reinterpret_cast<unsigned char*>(result.data()), result.size(), key, direction);
  return result;
}

ScrambleKey SymbolKey(size_t length) {
  unsigned char bytes[4];
  StoreLe32(bytes, uint32_t(length));
  return ScrambleKeyFromText({reinterpret_cast<const char*>(bytes), 4}, kSymbolSalt0, kSymbolSalt1);
}

}  // namespace

void XteaEncipher(uint32_t block[2], const ScrambleKey& key) {
  const Block out = Encipher({block[0], block[1]}, key);
  block[0] = out.v0;
  block[1] = out.v1;
}

void XteaDecipher(uint32_t block[2], const ScrambleKey& key) {
  const Block out = Decipher({block[0], block[1]}, key);
  block[0] = out.v0;
  block[1] = out.v1;
}

ScrambleKey ScrambleKeyFromText(std::string_view text, uint32_t salt0, uint32_t salt1) {
  constexpr uint32_t kFnvBasis = 0x811C9DC5, kFnvPrime = 0x01000193;
  ScrambleKey key{};
  for (uint32_t lane = 0; lane < 4; ++lane) {
    uint32_t h = (kFnvBasis ^ lane) * kFnvPrime;
    for (char c : text) h = (h ^ uint8_t(c)) * kFnvPrime;
    key.words[lane] = h;
  }
  key.words[0] ^= salt0;
  key.words[1] ^= salt1;
  return key;
}

void ScrambleBuffer(unsigned char* data, size_t length, const ScrambleKey& key) {
  Run(data, length, key, Direction::kScramble);
}

void UnscrambleBuffer(unsigned char* data, size_t length, const ScrambleKey& key) {
  Run(data, length, key, Direction::kUnscramble);
}

std::string ScrambleString(std::string_view plain, std::string_view password, uint32_t salt0, uint32_t salt1) {
  return RunString(plain, ScrambleKeyFromText(password, salt0, salt1), Direction::kScramble);
}

std::string UnscrambleString(std::string_view scrambled, std::string_view password, uint32_t salt0, uint32_t salt1) {
  return RunString(scrambled, ScrambleKeyFromText(password, salt0, salt1), Direction::kUnscramble);
}

std::string ScramblePassword(std::string_view plain, std::string_view account, std::string_view server) {
  const std::string byAccount = ScrambleString(plain, account, kPasswordSalt0, kPasswordSalt1);
  return Base64Encode(ScrambleString(byAccount, server));
}

std::string UnscramblePassword(std::string_view stored, std::string_view account, std::string_view server) {
  const std::string byServer = UnscrambleString(Base64Decode(stored), server);
  return UnscrambleString(byServer, account, kPasswordSalt0, kPasswordSalt1);
}

void ScrambleSymbolData(unsigned char* data, size_t length) { ScrambleBuffer(data, length, SymbolKey(length)); }

void UnscrambleSymbolData(unsigned char* data, size_t length) { UnscrambleBuffer(data, length, SymbolKey(length)); }

}  // namespace quor
