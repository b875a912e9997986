#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/number_scanner.h"

namespace zelvane {

static_assert(std::endian::native == std::endian::little, "records store ordinals little-endian");

// A scanned token while it is searched for: its length and two flags, found and repeat (the same text is
// in an earlier record of the round), in one byte; its ordinal in the scanned file (5 bytes); its bytes.
struct TokenRecord {
  static constexpr std::size_t kHeader = 6;
  static constexpr std::uint64_t kMaxOrdinal = (std::uint64_t{1} << 40) - 1;
  static constexpr unsigned char kFound = 0x80;
  static constexpr unsigned char kRepeat = 0x40;
  static_assert(kMaxTokenLength < kRepeat);

  static std::size_t SizeFor(std::size_t length) { return kHeader + length; }
  static std::size_t SizeOf(const char* record) { return kHeader + Length(record); }
  static std::size_t Length(const char* record) { return static_cast<unsigned char>(record[0]) & (kRepeat - 1); }
  static bool Found(const char* record) { return (static_cast<unsigned char>(record[0]) & kFound) != 0; }
  // Records live in memory the comparison owns; the tables point to them as to constant data.
  static void MarkFound(const char* record) { const_cast<char*>(record)[0] |= static_cast<char>(kFound); }
  static bool Repeat(const char* record) { return (static_cast<unsigned char>(record[0]) & kRepeat) != 0; }
  static void MarkRepeat(const char* record) { const_cast<char*>(record)[0] |= static_cast<char>(kRepeat); }
  static const char* Bytes(const char* record) { return record + kHeader; }
  static std::string_view Text(const char* record) { return {Bytes(record), Length(record)}; }
  static std::uint64_t Ordinal(const char* record) {
    std::uint64_t ordinal = 0;
    std::memcpy(&ordinal, record + 1, 5);
    return ordinal;
  }

  static void Write(char* record, std::string_view token, std::uint64_t ordinal) {
    record[0] = static_cast<char>(token.size());
    std::memcpy(record + 1, &ordinal, 5);
    std::memcpy(record + kHeader, token.data(), token.size());
  }
};

// A window of the searched text: its class, its length (the class's longest token length, less where
// the run ends sooner) and its bytes.
struct WindowRecord {
  static constexpr std::size_t kHeader = 2;

  static std::size_t SizeFor(std::size_t length) { return kHeader + length; }
  static std::size_t SizeOf(const char* record) { return kHeader + Length(record); }
  static std::size_t Class(const char* record) { return static_cast<unsigned char>(record[0]); }
  static std::size_t Length(const char* record) { return static_cast<unsigned char>(record[1]); }
  static const char* Bytes(const char* record) { return record + kHeader; }

  static void Write(char* record, std::size_t cls, const char* bytes, std::size_t length) {
    record[0] = static_cast<char>(cls);
    record[1] = static_cast<char>(length);
    std::memcpy(record + kHeader, bytes, length);
  }
};

}  // namespace zelvane
