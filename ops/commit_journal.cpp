#include "ops/commit_journal.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <random>
#include <string_view>
#include <system_error>

#include "core/platform/files.h"

namespace zelvane {

namespace {

constexpr std::string_view kPrefix = ".zelvane-";
constexpr std::string_view kJournalEnd = ".journal";
// The first line of a recorded journal, and its last; a journal without both records nothing.
constexpr std::string_view kRecorded = "zelvane commit 1\n";
constexpr std::string_view kComplete = "end\n";

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

std::string NewToken() {
  std::random_device random;
  char token[17];
  std::snprintf(token, sizeof token, "%08x%08x", random(), random());
  return token;
}

std::string Encoded(const std::vector<CommitEntry>& entries) {
  std::string text(kRecorded);
  for (const CommitEntry& entry : entries) {
    text += Utf8Of(entry.target);
    text += '\0';
    text += Utf8Of(entry.temporary);
    text += '\0';
    text += std::to_string(entry.identity) + "\n";
  }
  return text += kComplete;
}

// The entries of a recorded journal; false for one that records nothing.
bool Decode(std::string_view text, std::vector<CommitEntry>& entries) {
  if (!text.starts_with(kRecorded) || !text.ends_with(kComplete)) return false;
  text = text.substr(kRecorded.size(), text.size() - kRecorded.size() - kComplete.size());
  while (!text.empty()) {
    const std::size_t targetEnd = text.find('\0');
    if (targetEnd == std::string_view::npos) return false;
    const std::size_t temporaryEnd = text.find('\0', targetEnd + 1);
    if (temporaryEnd == std::string_view::npos) return false;
    const std::size_t lineEnd = text.find('\n', temporaryEnd + 1);
    if (lineEnd == std::string_view::npos) return false;
    CommitEntry entry;
    entry.target = PathFromText(text.substr(0, targetEnd));
    entry.temporary = PathFromText(text.substr(targetEnd + 1, temporaryEnd - targetEnd - 1));
    const char* const identityEnd = text.data() + lineEnd;
    if (std::from_chars(text.data() + temporaryEnd + 1, identityEnd, entry.identity).ptr != identityEnd) return false;
    entries.push_back(std::move(entry));
    text.remove_prefix(lineEnd + 1);
  }
  return true;
}

bool IsNew(const std::filesystem::path& target, std::uint64_t identity) {
  PathStatus status;
  return StatusOfPath(target, status) == 0 && status.identity == identity;
}

bool Exists(const std::filesystem::path& path) {
  PathStatus status;
  return StatusOfPath(path, status) == 0;
}

// Puts entries' new files in place, or, when one cannot be, every old one back. Safe to run again.
void Replay(const std::filesystem::path& folder, const std::vector<CommitEntry>& entries) {
  std::size_t done = 0;
  int error = 0;
  for (; done < entries.size() && error == 0; ++done) {
    const std::filesystem::path target = folder / entries[done].target;
    const std::filesystem::path temporary = folder / entries[done].temporary;
    if (IsNew(target, entries[done].identity) || !Exists(temporary)) continue;
    error = Exists(target) ? ExchangeFiles(temporary, target) : MoveNewFile(temporary, target);
  }
  if (error == 0) return;
  for (std::size_t back = done; back-- > 0;) {
    const std::filesystem::path target = folder / entries[back].target;
    const std::filesystem::path temporary = folder / entries[back].temporary;
    if (!IsNew(target, entries[back].identity)) continue;
    if (Exists(temporary)) {
      ExchangeFiles(temporary, target);
    } else {
      RemoveFile(target);  // there was none before
    }
  }
}

// The temporary files of the commit token in folder and the folders in it.
void RemoveTemporaryFiles(const std::filesystem::path& folder, std::string_view token) {
  const std::string start = std::string(kPrefix) + std::string(token) + "-";
  std::vector<std::filesystem::path> folders = {folder};
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_directory(error) && !entry.is_symlink(error)) folders.push_back(entry.path());
  }
  for (const std::filesystem::path& at : folders) {
    std::vector<std::filesystem::path> ours;
    for (const auto& entry : std::filesystem::directory_iterator(at, error)) {
      const std::string name = Utf8Of(entry.path().filename());
      if (name.starts_with(start) && name.ends_with(".tmp")) ours.push_back(entry.path());
    }
    for (const std::filesystem::path& path : ours) RemoveFile(path);
  }
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[65536];
  for (std::int64_t got; (got = ReadSome(fd, buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(got));
  return text;
}

}  // namespace

void CommitJournal::End() {
  if (fd_ < 0) return;
  // While still held, so that no other run takes it for one left behind (Windows: once closed).
  const bool removed = RemoveFile(path_) == 0;
  CloseFile(fd_);
  fd_ = -1;
  if (!removed) RemoveFile(path_);
}

void CommitJournal::Begin(const std::filesystem::path& folder) {
  folder_ = folder;
  token_ = NewToken();  // 64 random bits: no other run's
  path_ = folder / (std::string(kPrefix) + token_ + std::string(kJournalEnd));
}

FileResult CommitJournal::Create() {
  fd_ = CreateNewFile(path_);
  if (fd_ < 0) return MakeFileError(FileOperation::Write, folder_, errno);
  if (const int error = TryLockFile(fd_)) return MakeFileError(FileOperation::Write, folder_, error);
  return std::nullopt;
}

std::filesystem::path CommitJournal::TemporaryFor(const std::filesystem::path& target, std::size_t n) const {
  return target.parent_path() / (std::string(kPrefix) + token_ + "-" + std::to_string(n) + ".tmp");
}

FileResult CommitJournal::Record(const std::vector<CommitEntry>& entries) {
  int error = WriteAll(fd_, Encoded(entries), 0);
  if (error == 0) error = FlushToDisk(fd_);
  if (error != 0) return MakeFileError(FileOperation::Write, path_, error);
  return std::nullopt;
}

void CommitJournal::Abandon() { WriteAll(fd_, "#", 0); }

void FinishLeftCommits(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> journals;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = Utf8Of(entry.path().filename());
    if (name.starts_with(kPrefix) && name.ends_with(kJournalEnd)) journals.push_back(entry.path());
  }
  for (const std::filesystem::path& journal : journals) {
    const int fd = OpenForReading(journal);
    if (fd < 0) continue;  // finished by another run meanwhile
    if (TryLockFile(fd) != 0) {
      CloseFile(fd);  // its run is still running
      continue;
    }
    std::vector<CommitEntry> entries;
    if (Decode(ReadAll(fd), entries)) Replay(folder, entries);
    const std::string name = Utf8Of(journal.filename());
    RemoveTemporaryFiles(
        folder, std::string_view(name).substr(kPrefix.size(), name.size() - kPrefix.size() - kJournalEnd.size()));
    const bool removed = RemoveFile(journal) == 0;
    CloseFile(fd);
    if (!removed) RemoveFile(journal);
  }
}

}  // namespace zelvane
