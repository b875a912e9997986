#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "ui/logic/main_window_view.h"
#include "ui/logic/settings_store.h"

namespace zelvane {

// What the window remembers from one start to the next, and how it is read back. A value that is
// missing, or not one this program writes, counts as never written: the first start's choice holds.
class RememberedChoices {
 public:
  enum class PrefixTableKind { Original, Current, File };
  struct PrefixTableChoice {
    PrefixTableKind kind = PrefixTableKind::Original;
    std::filesystem::path file;  // for File
  };

  explicit RememberedChoices(SettingsStore& store) : m_store(store) {}

  // The prefix table in use; the original one unless another was chosen.
  PrefixTableChoice PrefixTable() const;
  void SetPrefixTable(PrefixTableKind kind, const std::filesystem::path& file = {});
  // The area table file in use; nothing for the built-in table.
  std::optional<std::filesystem::path> AreaTableFile() const;
  void SetAreaTableFile(const std::optional<std::filesystem::path>& file);
  // The separator last typed and written with, as typed (UTF-8); empty at first.
  std::string Separator() const;
  void SetSeparator(std::string_view typed);
  // The key of the export kind last written with (ExportKind::key); empty at first.
  std::string ExportKind() const;
  void SetExportKind(std::string_view key);
  // 号码分析 as it was last closed: each file while it is still a file (else empty), and the mode.
  ComparisonRequest Analysis() const;
  void SetAnalysis(const ComparisonRequest& analysis);
  // Where the file and folder prompts open: the folder of what was last chosen in one, while it is
  // still a folder; nothing at first (the current folder).
  std::optional<std::filesystem::path> PromptFolder() const;
  // A prompt answered with chosen: a folder (from the folder prompt) or a file in one.
  void SetPromptFolder(const std::filesystem::path& chosen, bool isFolder);

 private:
  std::optional<std::filesystem::path> Path(std::string_view name) const;
  void SetPath(std::string_view name, const std::filesystem::path& path);

  SettingsStore& m_store;
};

}  // namespace zelvane
