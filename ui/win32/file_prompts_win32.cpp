#include "ui/win32/file_prompts_win32.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>
#include <string>
#include <vector>

#include "ui/win32/wide_text.h"

namespace zelvane::win32 {

namespace {

// "文本文件(*.txt)" as the prompt's filter: the text, then the pattern between the parentheses.
std::wstring FilterOf(const FilePrompt& prompt) {
  const std::wstring text = Wide(prompt.filter);
  const std::size_t open = text.find(L'(');
  const std::size_t close = text.rfind(L')');
  const std::wstring pattern =
      open != std::wstring::npos && close > open ? text.substr(open + 1, close - open - 1) : L"*.*";
  return text + L'\0' + pattern + L'\0';
}

enum class PromptKind { Open, OpenSeveral, Save };

// The chosen files: one full path, or with several a folder and then each name, each ended by a zero.
std::vector<std::filesystem::path> Prompt(HWND owner, const FilePrompt& prompt, PromptKind kind) {
  const bool save = kind == PromptKind::Save;
  std::vector<wchar_t> file(32768, L'\0');  // long paths fit
  const std::wstring filter = FilterOf(prompt);
  const std::wstring title = Wide(prompt.title);
  const std::wstring suffix = Wide(prompt.defaultSuffix);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = suffix.empty() ? nullptr : suffix.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                 (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST) |
                 (kind == PromptKind::OpenSeveral ? OFN_ALLOWMULTISELECT : 0);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  std::vector<std::filesystem::path> files;
  if (!chosen) return files;
  const std::filesystem::path first(file.data());
  for (const wchar_t* name = file.data() + first.native().size() + 1; *name != L'\0'; name += wcslen(name) + 1) {
    files.push_back(first / name);
  }
  if (files.empty()) files.push_back(first);
  return files;
}

std::optional<std::filesystem::path> Single(std::vector<std::filesystem::path> files) {
  if (files.empty()) return std::nullopt;
  return std::move(files.front());
}

}  // namespace

std::optional<std::filesystem::path> ChooseOpenFile(HWND owner, const FilePrompt& prompt) {
  return Single(Prompt(owner, prompt, PromptKind::Open));
}

std::vector<std::filesystem::path> ChooseOpenFiles(HWND owner, const FilePrompt& prompt) {
  return Prompt(owner, prompt, PromptKind::OpenSeveral);
}

std::optional<std::filesystem::path> ChooseSaveFile(HWND owner, const FilePrompt& prompt) {
  return Single(Prompt(owner, prompt, PromptKind::Save));
}

std::optional<std::filesystem::path> ChooseFolder(HWND owner, std::string_view title) {
  const std::wstring caption = Wide(title);
  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.lpszTitle = caption.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (chosen == nullptr) return std::nullopt;
  std::vector<wchar_t> path(32768, L'\0');
  const bool named = SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
  CoTaskMemFree(chosen);
  if (!named) return std::nullopt;
  return std::filesystem::path(path.data());
}

}  // namespace zelvane::win32
