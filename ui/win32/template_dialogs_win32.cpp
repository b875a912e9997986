#include "ui/win32/template_dialogs_win32.h"

#include <windowsx.h>

#include <vector>

#include "res/about_dialog_template.h"
#include "res/analysis_dialog_template.h"
#include "res/help_dialog_template.h"
#include "res/separator_dialog_template.h"
#include "ui/logic/analysis_choice.h"
#include "ui/win32/dialog_template_win32.h"
#include "ui/win32/file_prompts_win32.h"
#include "ui/win32/wide_text.h"

namespace zelvane::win32 {

namespace {

// The object a dialog procedure works on, handed over in WM_INITDIALOG.
template <class State>
State* StateOf(HWND dialog, UINT message, LPARAM parameter) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, parameter);
  return reinterpret_cast<State*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// 确定 and Esc close it; nothing else to decide.
INT_PTR CALLBACK InformationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

// The offered text comes in as the answer and goes out as what was typed.
struct Separator {
  std::string text;  // offered in, typed out
  std::string_view note;
};

INT_PTR CALLBACK SeparatorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* separator = StateOf<Separator>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      HWND edit = GetDlgItem(dialog, res::IDC_SEPARATOR_EDIT);
      SetWindowTextW(edit, Wide(separator->text).c_str());
      SetDlgItemTextW(dialog, res::IDC_SEPARATOR_NOTE, Wide(separator->note).c_str());
      separator->text.clear();
      SetFocus(edit);
      Edit_SetSel(edit, 0, -1);  // typing replaces it
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) separator->text = Utf8(TextOf(GetDlgItem(dialog, res::IDC_SEPARATOR_EDIT)));
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default: return FALSE;
  }
}

struct ListChoice {
  std::string_view prompt;
  const std::vector<ListEntry>& entries;
  std::size_t chosen;
};

// The list dialogs: the entry chosen goes out in chosen; the line under the list follows it.
INT_PTR CALLBACK ListChoiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* choice = StateOf<ListChoice>(dialog, message, lParam);
  if (choice == nullptr) return FALSE;  // a message before WM_INITDIALOG
  HWND list = GetDlgItem(dialog, res::IDC_CHOICE_LIST);
  const auto showNote = [&] {
    const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
    const std::size_t entry = row >= 0 ? static_cast<std::size_t>(row) : choice->entries.size();
    const std::wstring note = entry < choice->entries.size() ? Wide(choice->entries[entry].note) : L"";
    SetDlgItemTextW(dialog, res::IDC_CHOICE_NOTE, note.c_str());
  };
  switch (message) {
    case WM_INITDIALOG:
      if (!choice->prompt.empty()) SetDlgItemTextW(dialog, res::IDC_CHOICE_PROMPT, Wide(choice->prompt).c_str());
      for (const ListEntry& entry : choice->entries) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry.text).c_str()));
      }
      SendMessageW(list, LB_SETCURSEL, choice->chosen, 0);
      showNote();
      SetFocus(list);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == res::IDC_CHOICE_LIST && HIWORD(wParam) == LBN_SELCHANGE) showNote();
      const bool accepted = id == IDOK || (id == res::IDC_CHOICE_LIST && HIWORD(wParam) == LBN_DBLCLK);
      if (accepted) {
        const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
        if (row < 0) return TRUE;  // nothing chosen: the dialog stays
        choice->chosen = static_cast<std::size_t>(row);
        EndDialog(dialog, IDOK);
      }
      if (id == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    }
    default: return FALSE;
  }
}

struct Analysis {
  AnalysisChoice& choice;
  SettingsStore& settings;
  std::optional<ComparisonRequest> request;
};

INT_PTR CALLBACK AnalysisProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* analysis = StateOf<Analysis>(dialog, message, lParam);
  if (message == WM_INITDIALOG) {
    SetDlgItemTextW(dialog, res::IDC_FILE1_EDIT, analysis->choice.File(0).c_str());
    SetDlgItemTextW(dialog, res::IDC_FILE2_EDIT, analysis->choice.File(1).c_str());
    const bool different = analysis->choice.Mode() == ComparisonMode::FindDifferent;
    SetFocus(GetDlgItem(dialog, different ? res::IDC_FIND_DIFFERENT : res::IDC_FIND_SAME));
    return FALSE;
  }
  if (message != WM_COMMAND) return FALSE;
  const auto pick = [&](int slot, int edit) {
    if (analysis->choice.Picked(slot, ChooseOpenFile(dialog, kImportPrompt, analysis->settings))) {
      SetDlgItemTextW(dialog, edit, analysis->choice.File(slot).c_str());
    }
  };
  const auto finish = [&](ComparisonMode mode) {
    analysis->request = analysis->choice.Finish(mode);
    if (!analysis->request) return ShowMessage(dialog, AnalysisChoice::kBothFilesNeeded);
    EndDialog(dialog, IDOK);
  };
  switch (LOWORD(wParam)) {
    case res::IDC_PICK_FILE1: pick(0, res::IDC_FILE1_EDIT); break;
    case res::IDC_PICK_FILE2: pick(1, res::IDC_FILE2_EDIT); break;
    case res::IDC_FIND_SAME: finish(ComparisonMode::FindSame); break;
    case res::IDC_FIND_DIFFERENT: finish(ComparisonMode::FindDifferent); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    default: break;  // Enter on anything else does nothing
  }
  return TRUE;
}

}  // namespace

INT_PTR RunTemplateDialog(HWND owner, const res::DialogTemplate& dialog, DLGPROC procedure, LPARAM parameter) {
  const std::vector<WORD> bytes = BuildDialogTemplate(dialog);
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), owner,
                                 procedure, parameter);
}

void ShowMessage(HWND owner, std::string_view text) {
  MessageBoxW(owner, Wide(text).c_str(), Wide(kMessageCaption).c_str(), MB_OK);
}

bool AskYesNo(HWND owner, std::string_view question) {
  return MessageBoxW(owner, Wide(question).c_str(), Wide(kMessageCaption).c_str(), MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

std::optional<std::string> AskSeparator(HWND owner, std::string_view offered, std::string_view note) {
  Separator separator{std::string(offered), note};
  if (RunTemplateDialog(owner, res::kSeparatorDialog, SeparatorProc, reinterpret_cast<LPARAM>(&separator)) != IDOK) {
    return std::nullopt;
  }
  return separator.text;
}

std::optional<std::size_t> AskListChoice(HWND owner, const res::DialogTemplate& dialog, std::string_view prompt,
                                         const std::vector<ListEntry>& entries, std::size_t chosen) {
  ListChoice choice{prompt, entries, chosen};
  if (RunTemplateDialog(owner, dialog, ListChoiceProc, reinterpret_cast<LPARAM>(&choice)) != IDOK) {
    return std::nullopt;
  }
  return choice.chosen;
}

std::optional<ComparisonRequest> AskComparison(HWND owner, AnalysisChoice& choice, SettingsStore& settings) {
  Analysis analysis{choice, settings, std::nullopt};
  if (RunTemplateDialog(owner, res::kAnalysisDialog, AnalysisProc, reinterpret_cast<LPARAM>(&analysis)) != IDOK) {
    return std::nullopt;
  }
  return analysis.request;
}

void ShowAbout(HWND owner) { RunTemplateDialog(owner, res::kAboutDialog, InformationProc, 0); }

void ShowHelp(HWND owner) { RunTemplateDialog(owner, res::kHelpDialog, InformationProc, 0); }

}  // namespace zelvane::win32
