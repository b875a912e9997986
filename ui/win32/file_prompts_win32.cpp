#include "ui/win32/file_prompts_win32.h"

#include <commdlg.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "ui/logic/remembered_choices.h"
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

std::optional<std::filesystem::path> Prompt(HWND owner, const FilePrompt& prompt, bool save, SettingsStore& settings) {
  RememberedChoices remembered(settings);
  const std::wstring folder = remembered.PromptFolder().value_or(std::filesystem::path()).wstring();
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
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrDefExt = suffix.empty() ? nullptr : suffix.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                 (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  const std::filesystem::path path(file.data());
  remembered.SetPromptFolder(path, false);
  return path;
}

// The folder prompt opens at the folder it is handed.
int CALLBACK SelectFolderAtStart(HWND prompt, UINT message, LPARAM, LPARAM folder) {
  if (message == BFFM_INITIALIZED && folder != 0) SendMessageW(prompt, BFFM_SETSELECTIONW, TRUE, folder);
  return 0;
}

}  // namespace

std::optional<std::filesystem::path> ChooseOpenFile(HWND owner, const FilePrompt& prompt, SettingsStore& settings) {
  return Prompt(owner, prompt, false, settings);
}

std::optional<std::filesystem::path> ChooseSaveFile(HWND owner, const FilePrompt& prompt, SettingsStore& settings) {
  return Prompt(owner, prompt, true, settings);
}

std::optional<std::filesystem::path> ChooseFolder(HWND owner, std::string_view title, SettingsStore& settings) {
  RememberedChoices remembered(settings);
  const std::wstring caption = Wide(title);
  const std::wstring start = remembered.PromptFolder().value_or(std::filesystem::path()).wstring();
  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.lpszTitle = caption.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  browse.lpfn = SelectFolderAtStart;
  browse.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (chosen == nullptr) return std::nullopt;
  std::vector<wchar_t> path(32768, L'\0');
  const bool named = SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
  CoTaskMemFree(chosen);
  if (!named) return std::nullopt;
  const std::filesystem::path folder(path.data());
  remembered.SetPromptFolder(folder, true);
  return folder;
}

}  // namespace zelvane::win32
