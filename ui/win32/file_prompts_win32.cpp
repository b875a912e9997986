#include "ui/win32/file_prompts_win32.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "ui/win32/wide_text.h"

namespace zelvane::win32 {

namespace {

// "文本文件(*.txt)" as the prompt's filter: the text, then the pattern between the parentheses; several
// filters are separated by ";;" ("Excel 工作簿(*.xlsx);;CSV 文件(*.csv)").
std::wstring FilterOf(const FilePrompt& prompt) {
  std::wstring filters;
  const std::wstring all = Wide(prompt.filter);
  std::wstring_view rest = all;
  while (!rest.empty()) {
    const std::wstring_view text = rest.substr(0, rest.find(L";;"));
    rest.remove_prefix(std::min(rest.size(), text.size() + 2));
    const std::size_t open = text.find(L'(');
    const std::size_t close = text.rfind(L')');
    const std::wstring_view pattern =
        open != std::wstring_view::npos && close > open ? text.substr(open + 1, close - open - 1) : L"*.*";
    filters.append(text).append(1, L'\0').append(pattern).append(1, L'\0');
  }
  return filters;
}

std::optional<std::filesystem::path> Prompt(HWND owner, const FilePrompt& prompt, bool save) {
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
                 (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return std::filesystem::path(file.data());
}

}  // namespace

std::optional<std::filesystem::path> ChooseOpenFile(HWND owner, const FilePrompt& prompt) {
  return Prompt(owner, prompt, false);
}

std::optional<std::filesystem::path> ChooseSaveFile(HWND owner, const FilePrompt& prompt) {
  return Prompt(owner, prompt, true);
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
