// Password-keyed scrambling of stored passwords and symbol data. It keeps
// casual readers out of the executable and the settings; it is not meant to
// stand up to an attacker who has the program.
//
// Cipher: XTEA (Needham and Wheeler, 1997): 64-bit blocks, 128-bit key,
// 32 cycles (64 Feistel rounds), delta 0x9E3779B9. A block is two 32-bit
// words taken little-endian from 8 bytes.
//
// Key from a text (ScrambleKeyFromText): key word i (0..3) is the 32-bit
// FNV-1a hash (offset basis 0x811C9DC5, prime 0x01000193) of the byte i
// followed by the bytes of the text; then word 0 is xored with salt0 and
// word 1 with salt1.
//
// Block mode: CBC over the whole 8-byte blocks, no padding, so the length
// never changes and a buffer is scrambled in place. The initial vector is the
// encryption of the block (low 32 bits of the data length, 0x5156524C). A final partial
// block of 1..7 bytes is xored with the encryption of the last whole
// scrambled block (the initial vector when there is none).
//
// Uses:
// - Stored passwords (ScramblePassword / UnscramblePassword): scrambled with
//   the key of the account name salted with kPasswordSalt0 and kPasswordSalt1,
//   then with the key of the server name, then base64-encoded. Reading undoes
//   it in the opposite order: server key first, then account key.
// - Symbol data (ScrambleSymbolData / UnscrambleSymbolData): keyed by the
//   4 little-endian bytes of the data length, salted with kSymbolSalt0 and
//   kSymbolSalt1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

struct ScrambleKey {
  uint32_t words[4];
};

inline constexpr uint32_t kPasswordSalt0 = 0x51756F72;  // "Quor"
inline constexpr uint32_t kPasswordSalt1 = 0x50617373;  // "Pass"
inline constexpr uint32_t kSymbolSalt0 = 0x53796D62;    // "Symb"
inline constexpr uint32_t kSymbolSalt1 = 0x44617461;    // "Data"

// One XTEA block operation on the two words of `block`.
void XteaEncipher(uint32_t block[2], const ScrambleKey& key);
void XteaDecipher(uint32_t block[2], const ScrambleKey& key);

[[nodiscard]] ScrambleKey ScrambleKeyFromText(std::string_view text, uint32_t salt0 = 0, uint32_t salt1 = 0);

// In place; UnscrambleBuffer with the same key and length restores the data.
void ScrambleBuffer(unsigned char* data, size_t length, const ScrambleKey& key);
void UnscrambleBuffer(unsigned char* data, size_t length, const ScrambleKey& key);

// String forms keyed by ScrambleKeyFromText(password, salt0, salt1).
[[nodiscard]] std::string ScrambleString(std::string_view plain, std::string_view password, uint32_t salt0 = 0,
                                         uint32_t salt1 = 0);
[[nodiscard]] std::string UnscrambleString(std::string_view scrambled, std::string_view password, uint32_t salt0 = 0,
                                           uint32_t salt1 = 0);

// The stored (base64) form of a mail or HTTP password and back. Empty stays
// empty; a stored text that is not base64 gives an empty password.
[[nodiscard]] std::string ScramblePassword(std::string_view plain, std::string_view account, std::string_view server);
[[nodiscard]] std::string UnscramblePassword(std::string_view stored, std::string_view account,
                                             std::string_view server);

// The symbol payload, keyed by its own length.
void ScrambleSymbolData(unsigned char* data, size_t length);
void UnscrambleSymbolData(unsigned char* data, size_t length);

}  // namespace quor
