#include "ops/hashed_comparison.h"

#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/normalize_number.h"
#include "ops/digest_blocks.h"
#include "ops/file_failure.h"
#include "ops/hashed_list.h"
#include "ops/number_form.h"
#include "ops/token_selection.h"

namespace zelvane {

namespace {

// What is hashed of a token: its number as the lists hold it, as a hashed export writes it.
std::optional<std::string_view> NumberToHash(std::string_view token) {
  const std::string_view number = NormalizeNumber(token);
  if (!WrittenInForm(number)) return std::nullopt;
  return number;
}

}  // namespace

FileResult CompareWithHashedList(TextSource& plain, TextSource& keys, DigestKind kind, std::uint64_t memory,
                                 const ComparisonSettings& settings, const NumberSink& sink, std::uint64_t& notHashed) {
  WorkProgress* const progress = settings.progress;
  plain.Watch(progress);
  // Hashing, then the comparison of the digests (counted once they are known), then the listing.
  if (progress) progress->SetTotal(progress->Done() + 2 * plain.Size() + keys.Size());
  // The digest keys of plain's numbers, one a line in plain's order: the text the comparison scans, so
  // that the k-th key it selects is plain's k-th number.
  TextSource digests = TextSource::Kept(plain.path(), memory / 4, ComparisonTemporaryFolder(settings));
  std::optional<DigestBlocks> blocks;
  try {
    blocks.emplace(kind);
  } catch (const std::runtime_error&) {  // a system whose library leaves the digest out (FIPS mode)
    return FileError{FileOperation::Read, keys.path(),
                     "这个系统的加密库不提供" + std::string(DigestName(kind)) + "散列，无法与这个散列值列表比较"};
  }
  std::optional<TokenSelection> selection;
  try {
    const std::size_t hexLength = DigestHexLength(kind);
    const auto keep = [&] {
      const std::string_view hex = blocks->Hash();
      for (std::size_t at = 0; at < hex.size(); at += hexLength) {
        char* const line = digests.AppendRoom(kDigestKeyLength + 1);
        WriteDigestKey(hex.data() + at, line);
        line[kDigestKeyLength] = '\n';
      }
    };
    notHashed = 0;
    ThrowIfFailed(ForEachToken(plain, [&](std::string_view token, std::uint64_t) {
      if (const std::optional<std::string_view> number = NumberToHash(token)) {
        if (blocks->Add(*number)) keep();
      } else {
        ++notHashed;
      }
    }));
    keep();
    if (FileResult error =
            SelectTokens(digests, keys, MemoryAfter(memory, digests.BytesHeld()), settings, plain.Size(), selection)) {
      return error;
    }
    std::uint64_t digest = 0;
    return ForEachToken(plain, [&](std::string_view token, std::uint64_t) {
      const std::optional<std::string_view> number = NumberToHash(token);
      if (!number) return;
      if (digest < selection->tokens && selection->selected.Test(digest)) sink(*number);
      ++digest;
    });
  } catch (const FileFailure& failure) {
    return failure.error();
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(plain.path());
  }
}

std::string HashedComparisonText(const ComparisonOutcome& outcome, const std::string& plainName,
                                 const std::string& hashedName, CountForm form) {
  if (!outcome.hashedList) return "";
  const std::string kind(DigestName(*outcome.hashedList));
  std::string text = "“" + hashedName + "”是" + kind + "值列表，比较的是“" + plainName + "”中号码的" + kind + "值";
  if (outcome.notHashed > 0) {
    text += "；“" + plainName + "”中有" + CountText(outcome.notHashed, form) + "项不是号码，未参与比较";
  }
  return text;
}

}  // namespace zelvane
