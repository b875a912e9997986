#include "ui/win32/dialog_template_win32.h"

#include <commctrl.h>

#include <string>

#include "ui/win32/wide_text.h"

namespace zelvane::win32 {

namespace {

// The font of every dialog: 宋体 at 9 points, as Chinese Windows draws its dialogs.
constexpr WORD kFontPoints = 9;
constexpr wchar_t kFontName[] = L"宋体";

class TemplateWriter {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Text(std::wstring_view text) {
    words_.insert(words_.end(), text.begin(), text.end());
    Word(0);
  }
  // Controls begin on a DWORD boundary.
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<WORD> Take() { return std::move(words_); }

 private:
  std::vector<WORD> words_;
};

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
};

ControlClass ClassOf(res::ControlKind kind) {
  using res::ControlKind;
  constexpr DWORD kTab = WS_TABSTOP;
  switch (kind) {
    case ControlKind::PushButton: return {L"Button", BS_PUSHBUTTON | kTab, 0};
    case ControlKind::DefaultPushButton: return {L"Button", BS_DEFPUSHBUTTON | kTab, 0};
    case ControlKind::CheckBox: return {L"Button", BS_AUTOCHECKBOX | kTab, 0};
    case ControlKind::Edit: return {L"Edit", ES_AUTOHSCROLL | WS_BORDER | kTab, 0};
    case ControlKind::ReadOnlyEdit: return {L"Edit", ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | kTab, 0};
    case ControlKind::Text: return {L"Static", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::Icon: return {L"Static", SS_ICON, 0};
    case ControlKind::NumberList:
      return {WC_LISTVIEWW, LVS_LIST | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_BORDER | kTab, WS_EX_CLIENTEDGE};
    case ControlKind::OverviewPane: return {L"Static", SS_ETCHEDFRAME, 0};
    case ControlKind::ListBox:
      return {L"ListBox", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | kTab, 0};
  }
  return {L"Static", 0, 0};
}

}  // namespace

std::vector<WORD> BuildDialogTemplate(const res::DialogTemplate& dialog) {
  TemplateWriter out;
  DWORD style = DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  if (dialog.minimizeMaximizeBoxes) style = (style & ~DS_MODALFRAME) | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  out.Word(1);       // dlgVer
  out.Word(0xFFFF);  // signature: DLGTEMPLATEEX
  out.Dword(0);      // helpID
  out.Dword(dialog.minimizeMaximizeBoxes ? WS_EX_APPWINDOW | WS_EX_ACCEPTFILES : 0);
  out.Dword(style);
  out.Word(static_cast<WORD>(dialog.controls.size()));
  out.Word(0);
  out.Word(0);
  out.Word(static_cast<WORD>(dialog.cx));
  out.Word(static_cast<WORD>(dialog.cy));
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(Wide(dialog.caption));
  out.Word(kFontPoints);
  out.Word(FW_NORMAL);
  out.Word(MAKEWORD(FALSE, GB2312_CHARSET));  // italic, charset
  out.Text(kFontName);
  for (const res::ControlTemplate& control : dialog.controls) {
    const ControlClass cls = ClassOf(control.kind);
    out.AlignToDword();
    out.Dword(0);  // helpID
    out.Dword(cls.exStyle);
    out.Dword(cls.style | WS_CHILD | WS_VISIBLE);
    out.Word(static_cast<WORD>(control.rect.x));
    out.Word(static_cast<WORD>(control.rect.y));
    out.Word(static_cast<WORD>(control.rect.cx));
    out.Word(static_cast<WORD>(control.rect.cy));
    out.Dword(static_cast<DWORD>(control.id));
    out.Text(cls.name);
    if (control.kind == res::ControlKind::Icon) {
      out.Word(0xFFFF);
      out.Word(static_cast<WORD>(control.icon));
    } else {
      out.Text(Wide(control.text));
    }
    out.Word(0);  // no creation data
  }
  return out.Take();
}

}  // namespace zelvane::win32
