#include "ops/hashed_list.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "core/separator_search.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zelvane {

namespace {

constexpr DigestKind kKinds[] = {DigestKind::Md5, DigestKind::Sha256};
constexpr std::size_t kLongestDigest = 64;

// Without branches: a list's digits and letters come in no order a branch could learn.
constexpr bool IsHexLetter(char c) { return static_cast<unsigned char>((c | 0x20) - 'a') < 6; }
constexpr bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }
// The value of a hex digit (0-9, a-f, A-F): the low four bits, and 9 more for a letter.
constexpr int HexValue(char c) { return (c & 0xF) + 9 * (c >> 6 & 1); }

// Whether text has a letter a-f or A-F: a number file without one is passed over at the speed of this
// look.
bool HasHexLetter(std::string_view text) {
  const char* at = text.data();
  const char* const end = at + text.size();
#ifdef __SSE2__
  for (; end - at >= 16; at += 16) {
    const __m128i small = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), _mm_set1_epi8(0x20));
    const __m128i letters =
        _mm_and_si128(_mm_cmpgt_epi8(small, _mm_set1_epi8('a' - 1)), _mm_cmplt_epi8(small, _mm_set1_epi8('g')));
    if (_mm_movemask_epi8(letters) != 0) return true;
  }
#endif
  return std::any_of(at, end, IsHexLetter);
}

// What a file's tokens say about it being a hashed list, and the keys of its hex numbers.
class HexSurvey {
 public:
  explicit HexSurvey(TextSource keys)
      : keys_(std::move(keys)), lengths_{DigestHexLength(kKinds[0]), DigestHexLength(kKinds[1])} {}

  void Feed(std::string_view piece) {
    const char* runStart = piece.data();
    const char* const end = piece.data() + piece.size();
    ForEachSeparator(runStart, end, [&](const char* at) {
      if (carried_ == 0) {
        Take(std::string_view(runStart, static_cast<std::size_t>(at - runStart)),
             static_cast<std::size_t>(at - runStart));
      } else {
        Carry(runStart, at);
        TakeCarried();
      }
      runStart = at + 1;
    });
    Carry(runStart, end);
  }
  void Finish() { TakeCarried(); }

  std::uint64_t tokens = 0;
  std::array<std::uint64_t, 2> hex{};  // tokens that are hex numbers of each kind's length
  bool letters = false;                // one of those has a letter
  TextSource& keys() { return keys_; }

 private:
  // A run cut by the end of a piece is carried over, as far as a digest goes.
  void Carry(const char* from, const char* to) {
    const auto length = static_cast<std::size_t>(to - from);
    if (carried_ < kLongestDigest) std::copy_n(from, std::min(length, kLongestDigest - carried_), &carry_[carried_]);
    carried_ += length;
  }
  void TakeCarried() {
    Take(std::string_view(carry_.data(), std::min(carried_, kLongestDigest)), carried_);
    carried_ = 0;
  }
  // A token of length bytes, of which run holds the first (all of a digest's).
  void Take(std::string_view run, std::size_t length) {
    if (length == 0) return;
    ++tokens;
    const std::size_t kind = length == lengths_[0] ? 0 : length == lengths_[1] ? 1 : 2;
    if (kind == 2) return;
    bool allHex = true;
    bool letter = false;
    for (const char c : run) {
      const bool isLetter = IsHexLetter(c);
      allHex &= isLetter | IsDigit(c);
      letter |= isLetter;
    }
    if (!allHex) return;
    ++hex[kind];
    letters = letters || letter;
    char* const line = keys_.AppendRoom(kDigestKeyLength + 1);
    WriteDigestKey(run.data(), line);
    line[kDigestKeyLength] = '\n';
  }

  TextSource keys_;
  std::array<std::size_t, 2> lengths_;  // of each kind's hex
  std::array<char, kLongestDigest> carry_{};
  std::size_t carried_ = 0;  // the length of the carried run
};

// Surveys source. Unless always, a file whose first piece has no hex letter is only looked at for one
// (a number file costs a read), and surveyed in a second read when one comes later.
FileResult Survey(TextSource& source, bool always, HexSurvey& survey) {
  enum class Step { Looking, Surveying, Again };
  Step step = always ? Step::Surveying : Step::Looking;
  bool first = true;
  FileResult error = source.Read([&](std::string_view piece) {
    if (step == Step::Looking && HasHexLetter(piece)) step = first ? Step::Surveying : Step::Again;
    if (step == Step::Surveying) survey.Feed(piece);
    first = false;
  });
  if (!error && step == Step::Again) error = source.Read([&](std::string_view piece) { survey.Feed(piece); });
  if (!error) survey.Finish();
  return error;
}

// Whether the file is meant as a hashed list: hex numbers (with a letter, unless forced) are half of its
// tokens or more. A number file with a few tokens that look like digests (ids, junk) is compared as
// numbers, as it always was.
bool MeantAsList(const HexSurvey& survey, std::optional<DigestKind> forced) {
  return (forced || survey.letters) && survey.tokens > 0 && 2 * (survey.hex[0] + survey.hex[1]) >= survey.tokens;
}

// The kind of hashed list the survey shows, if it is one.
std::optional<DigestKind> HashedKind(const HexSurvey& survey, std::optional<DigestKind> forced) {
  for (std::size_t kind = 0; kind < std::size(kKinds); ++kind) {
    const bool allHex = survey.tokens > 0 && survey.hex[kind] == survey.tokens;
    if (allHex && (forced ? *forced == kKinds[kind] : survey.letters)) return kKinds[kind];
  }
  return std::nullopt;
}

FileError MixedListError(const TextSource& source, const HexSurvey& survey, std::optional<DigestKind> forced) {
  for (std::size_t kind = 0; kind < std::size(kKinds); ++kind) {
    if (forced && survey.hex[kind] == survey.tokens) {
      return FileError{
          FileOperation::Read, source.path(),
          "其中全是" + std::string(DigestName(kKinds[kind])) + "值，不是" + std::string(DigestName(*forced)) + "值"};
    }
  }
  return FileError{FileOperation::Read, source.path(),
                   "其中既有散列值又有别的内容：共" + std::to_string(survey.tokens) + "项，MD5值（32位十六进制数）" +
                       std::to_string(survey.hex[0]) + "项，SHA-256值（64位十六进制数）" +
                       std::to_string(survey.hex[1]) + "项。散列值列表只能全是同一种散列值，号码文件中不能有散列值"};
}

}  // namespace

void WriteDigestKey(const char* hex, char* out) {
  static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-_";
  // Four groups of 6 hex digits (24 bits) make four key bytes each.
  for (std::size_t group = 0; group < kDigestKeyLength / 4; ++group, hex += 6, out += 4) {
    std::uint32_t bits = 0;
    for (int digit = 0; digit < 6; ++digit) bits = bits << 4 | static_cast<std::uint32_t>(HexValue(hex[digit]));
    out[0] = kDigits[bits >> 18];
    out[1] = kDigits[bits >> 12 & 63];
    out[2] = kDigits[bits >> 6 & 63];
    out[3] = kDigits[bits & 63];
  }
}

std::string_view DigestName(DigestKind kind) { return kind == DigestKind::Md5 ? "MD5" : "SHA-256"; }

FileResult FindHashedList(TextSource& first, TextSource& second, std::optional<DigestKind> forced,
                          std::uint64_t memoryAllowance, const std::filesystem::path& temporaryFolder,
                          HashedList& found) {
  std::array<TextSource*, 2> sources{&first, &second};
  std::array<std::optional<HexSurvey>, 2> surveys;
  std::array<std::optional<DigestKind>, 2> kinds;
  for (std::size_t file = 0; file < 2; ++file) {
    TextSource& source = *sources[file];
    HexSurvey& survey = surveys[file].emplace(TextSource::Kept(source.path(), memoryAllowance, temporaryFolder));
    if (FileResult error = Survey(source, forced.has_value(), survey)) return error;
    kinds[file] = HashedKind(survey, forced);
    if (!kinds[file] && MeantAsList(survey, forced)) return MixedListError(source, survey, forced);
  }
  if (kinds[0] && kinds[1]) {
    return FileError{FileOperation::Read, second.path(),
                     "它和“" + PathInMessage(first.path()) + "”都是散列值列表，要有一个是号码文件才能比较"};
  }
  if (forced && !kinds[0] && !kinds[1]) {
    FileError error{FileOperation::Read, "",
                    "两个文件都不是" + std::string(DigestName(*forced)) + "值列表（每项是" +
                        std::to_string(DigestHexLength(*forced)) + "位十六进制数）"};
    error.usage = true;
    return error;
  }
  found = HashedList{};
  for (std::size_t file = 0; file < 2; ++file) {
    if (!kinds[file]) continue;
    found.file = static_cast<int>(file) + 1;
    found.kind = *kinds[file];
    found.keys.emplace(std::move(surveys[file]->keys()));
  }
  return std::nullopt;
}

}  // namespace zelvane
