#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/file_error.h"
#include "core/platform/digest.h"
#include "ops/text_source.h"

namespace zelvane {

// A digest is matched by its key: its first 24 hex digits (96 bits), 6 bits a byte in 16 letters,
// digits, '-' and '_', so that the comparison handles fewer bytes than the numbers' own. Two digests of
// different numbers share a key with a chance of 2^-96: for all 1.7e9 numbers against all of them,
// 4e-11 that any pair does.
inline constexpr std::size_t kDigestKeyLength = 16;

// The key of a digest from its hex (its first 24 digits, small or capital letters) into out
// (kDigestKeyLength bytes).
void WriteDigestKey(const char* hex, char* out);

// "MD5" or "SHA-256".
std::string_view DigestName(DigestKind kind);

// Which of two compared files is a list of hashed numbers (a partner's list, an advertising audience).
struct HashedList {
  int file = 0;  // 1 or 2; 0: neither, the files are compared as numbers
  DigestKind kind = DigestKind::Md5;
  std::optional<TextSource> keys;  // the key of each of its digests, one a line, named as the file
};

// Looks at both files' tokens (the runs between separators). A file is a hashed list when its tokens are
// all hex numbers of 32 digits (MD5) or all of 64 (SHA-256), in small or capital letters, and one at
// least has a letter: digits alone are numbers. With forced, the hashed list is the file whose tokens
// are all hex numbers of that kind's length, letters or not. The keys are kept as a stream is, in
// memory up to memoryAllowance. Fails, naming the file, on a file whose tokens are half such hex numbers
// or more but not all of one kind (numbers among them, a header, both kinds); on two hashed lists; and
// when forced finds none (a usage error). A file with fewer is a number file, as it always was.
FileResult FindHashedList(TextSource& first, TextSource& second, std::optional<DigestKind> forced,
                          std::uint64_t memoryAllowance, const std::filesystem::path& temporaryFolder,
                          HashedList& found);

}  // namespace zelvane
