#include "ui/win32/file_prompts_win32.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

#include "ui/logic/remembered_choices.h"
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

enum class PromptKind { Open, OpenSeveral, Save };

// The chosen files: one full path, or with several a folder and then each name, each ended by a zero.
// filterChosen gets the filter chosen, from 0. A name typed without an extension gets the chosen filter's
// (the system takes it from the filter's pattern, since a default extension is given).
std::vector<std::filesystem::path> Prompt(HWND owner, const FilePrompt& prompt, PromptKind kind,
                                          SettingsStore& settings, std::size_t* filterChosen = nullptr) {
  const bool save = kind == PromptKind::Save;
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
  remembered.SetPromptFolder(files.front(), false);
  if (filterChosen) *filterChosen = dialog.nFilterIndex > 0 ? dialog.nFilterIndex - 1 : 0;
  return files;
}

std::optional<std::filesystem::path> Single(std::vector<std::filesystem::path> files) {
  if (files.empty()) return std::nullopt;
  return std::move(files.front());
}

// The system's file dialog in folder mode, opening in the folder of the last prompt, in this run or an
// earlier one; the first opens where the system remembers the program was.
std::optional<std::filesystem::path> PickFolder(HWND owner, std::string_view title, SettingsStore& settings) {
  RememberedChoices remembered(settings);
  const std::optional<std::filesystem::path> startFolder = remembered.PromptFolder();
  IFileOpenDialog* dialog = nullptr;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)))) {
    return std::nullopt;
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);
  dialog->SetTitle(Wide(title).c_str());
  IShellItem* start = nullptr;
  if (startFolder && SUCCEEDED(SHCreateItemFromParsingName(startFolder->c_str(), nullptr, IID_PPV_ARGS(&start)))) {
    dialog->SetFolder(start);
    start->Release();
  }
  std::optional<std::filesystem::path> folder;
  IShellItem* chosen = nullptr;
  if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(&chosen))) {
    PWSTR path = nullptr;
    if (SUCCEEDED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
      folder = std::filesystem::path(path);
      CoTaskMemFree(path);
    }
    chosen->Release();
  }
  dialog->Release();
  if (folder) remembered.SetPromptFolder(*folder, true);
  return folder;
}

}  // namespace

std::optional<std::filesystem::path> ChooseOpenFile(HWND owner, const FilePrompt& prompt, SettingsStore& settings) {
  return Single(Prompt(owner, prompt, PromptKind::Open, settings));
}

std::vector<std::filesystem::path> ChooseOpenFiles(HWND owner, const FilePrompt& prompt, SettingsStore& settings) {
  return Prompt(owner, prompt, PromptKind::OpenSeveral, settings);
}

std::optional<SavedFile> ChooseSaveFile(HWND owner, const FilePrompt& prompt, SettingsStore& settings) {
  std::size_t filter = 0;
  std::optional<std::filesystem::path> path = Single(Prompt(owner, prompt, PromptKind::Save, settings, &filter));
  if (!path) return std::nullopt;
  return SavedFile{std::move(*path), filter};
}

std::optional<std::filesystem::path> ChooseFolder(HWND owner, std::string_view title, SettingsStore& settings) {
  // The system's folder picker is a COM object: COM for this thread while the prompt lasts.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::optional<std::filesystem::path> folder = PickFolder(owner, title, settings);
  if (SUCCEEDED(com)) CoUninitialize();
  return folder;
}

}  // namespace zelvane::win32
