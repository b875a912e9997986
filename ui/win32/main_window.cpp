#include "ui/win32/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <mutex>
#include <string>

#include "res/list_choice_dialog_templates.h"
#include "res/main_dialog_template.h"
#include "ui/logic/category_colors.h"
#include "ui/logic/main_dialog_logic.h"
#include "ui/logic/main_window_layout.h"
#include "ui/logic/window_placement.h"
#include "ui/win32/background_work_win32.h"
#include "ui/win32/dialog_template_win32.h"
#include "ui/win32/file_prompts_win32.h"
#include "ui/win32/report_window_win32.h"
#include "ui/win32/system_menu_win32.h"
#include "ui/win32/template_dialogs_win32.h"
#include "ui/win32/wide_text.h"

namespace zelvane::win32 {

namespace {

constexpr UINT kImportPending = WM_APP + 1;  // files given at start or dropped wait for the window to show

// The list's own menu: each ListCommand's id.
constexpr UINT kListMenuIds = 40001;
constexpr UINT MenuId(ListCommand command) { return kListMenuIds + static_cast<UINT>(command); }

// Controls made at start inside the overview pane.
constexpr int kTableChoiceId = 2001;
constexpr int kChartId = 2002;
constexpr int kAreaTableChoiceId = 2003;
constexpr int kAreaChoiceId = 2004;
constexpr int kPaneControls[] = {res::IDC_OVERVIEW, kTableChoiceId, kAreaTableChoiceId, kAreaChoiceId, kChartId};

// The shown numbers, told to the virtual list: it asks for the text of the items it paints.
class ListNumbers final : public ShownNumbers {
 public:
  void Attach(HWND list) { m_list = list; }

 protected:
  void EndReset() override {
    // Emptied first, so that clearing the selection and focus asks no item (Wine asks every one: seconds at
    // millions).
    ListView_SetItemCountEx(m_list, 0, LVSICF_NOSCROLL);
    ListView_SetItemState(m_list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ShowCount(true);
  }
  void EndAppend() override { ShowCount(false); }

 private:
  void ShowCount(bool reset) {
    const int count = static_cast<int>(std::min<std::size_t>(size(), INT_MAX));
    // Wine's list measures every item when it paints a new count of items (seconds for millions); painted
    // once with one item first, it does not. Harmless on Windows.
    if (reset && count > 1) {
      ListView_SetItemCountEx(m_list, 1, LVSICF_NOSCROLL);
      UpdateWindow(m_list);
    }
    ListView_SetItemCountEx(m_list, count, LVSICF_NOINVALIDATEALL);
    InvalidateRect(m_list, nullptr, TRUE);
  }

  HWND m_list = nullptr;
};

class MainWindow final : public MainWindowView, public Prompts {
 public:
  MainWindow(std::vector<std::filesystem::path> files, SettingsStore& settings)
      : m_settings(settings), m_pending(std::move(files)) {}

  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return self != nullptr ? self->Handle(window, message, wParam, lParam) : FALSE;
  }

 private:
  INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog(HWND window);
  void OnCommand(UINT id, UINT code);
  INT_PTR OnNotify(const NMHDR& header, LPARAM lParam);
  void OnSize(int cx, int cy);
  // The size and place the window was last closed with, when a monitor still shows it.
  void RestorePlacement();
  void RememberPlacement() const;
  void OnGetMinMaxInfo(MINMAXINFO& limits) const;
  void OnDrawChart(const DRAWITEMSTRUCT& item) const;
  void OnDropFiles(HDROP drop);
  void ShowListMenu(POINT at);
  void CopySelection() const;
  // Whether a choice's notification is the user settling on an entry (a click or Enter in its open list,
  // an arrow key while it is closed), not passing over one in its open list. Esc or a click elsewhere
  // closes the list showing again the entry it opened on.
  bool ChoiceSettled(int id, UINT code);
  void Command(const std::function<void()>& command) { m_logic.RunCommand(command); }
  HWND Item(int id) const { return GetDlgItem(m_window, id); }

  // Prompts: the system's, owned by the main window.
  std::optional<std::filesystem::path> ChooseOpenFile(const FilePrompt& prompt) override {
    return win32::ChooseOpenFile(m_window, prompt, m_settings);
  }
  std::vector<std::filesystem::path> ChooseOpenFiles(const FilePrompt& prompt) override {
    return win32::ChooseOpenFiles(m_window, prompt, m_settings);
  }
  std::optional<SavedFile> ChooseSaveFile(const FilePrompt& prompt) override {
    return win32::ChooseSaveFile(m_window, prompt, m_settings);
  }
  std::optional<std::filesystem::path> ChooseFolder(std::string_view title) override {
    return win32::ChooseFolder(m_window, title, m_settings);
  }
  void ShowMessage(std::string_view text) override { win32::ShowMessage(m_window, text); }
  bool AskYesNo(std::string_view question) override { return win32::AskYesNo(m_window, question); }

  // MainWindowView
  Prompts& UserPrompts() override { return *this; }
  std::optional<std::string> AskSeparator(std::string_view offered, std::string_view note) override {
    return win32::AskSeparator(m_window, offered, note);
  }
  std::optional<AreaLevel> AskAreaLevel() override;
  std::optional<std::size_t> AskColumn(std::string_view prompt, const std::vector<ListEntry>& entries,
                                       std::size_t chosen) override {
    return win32::AskListChoice(m_window, res::kColumnDialog, prompt, entries, chosen);
  }
  std::optional<std::size_t> AskExportKind(const std::vector<ListEntry>& entries, std::size_t chosen) override {
    return win32::AskListChoice(m_window, res::kExportKindDialog, "", entries, chosen);
  }
  std::optional<ComparisonRequest> AskComparison(AnalysisChoice& choice) override {
    return win32::AskComparison(m_window, choice, m_settings);
  }
  void ShowReport(ReportDialogLogic& logic) override { win32::ShowReport(m_window, logic); }
  void ShowAbout() override { win32::ShowAbout(m_window); }
  void ShowHelp() override { win32::ShowHelp(m_window); }
  bool RunWork(std::string_view what, const std::function<void(WorkProgress&)>& work) override {
    return m_work.Run(what, work);
  }
  void CancelWork() override { m_work.Cancel(); }
  void ShowWaitCursor(bool wait) override {
    m_waiting += wait ? 1 : -1;
    SetCursor(LoadCursorW(nullptr, m_waiting > 0 ? IDC_WAIT : IDC_ARROW));
  }
  void EnableCommands(bool enable) override;
  void ShowCounts(std::string_view status, const CategoryCounts& counts) override;
  void ChooseTableEntry(int entry) override;
  void ShowLoadedTable(std::string_view name, std::string_view path) override;
  void ShowStatusLine(std::string_view text) override {
    SetDlgItemTextW(m_window, res::IDC_STATUS, Wide(text).c_str());
  }
  void ShowBoxes(const BoxStates& boxes) override;
  void EnableAreaChoice(bool enable) override { EnableWindow(Item(kAreaChoiceId), enable); }
  void ShowAreas(const std::vector<AreaEntry>& entries, std::size_t chosen) override;
  void ChooseAreaTableEntry(int entry) override { ComboBox_SetCurSel(Item(kAreaTableChoiceId), entry); }
  void ShowLoadedAreaTable(std::string_view name, std::string_view) override {
    ShowLoaded(kAreaTableChoiceId, MainDialogLogic::kLoadedAreas, name);
  }
  // Adds (or renames) the entry of a loaded file at loaded, before the last one, and chooses it.
  void ShowLoaded(int choice, int loaded, std::string_view name);
  void CloseLater() override { PostMessageW(m_window, WM_CLOSE, 0, 0); }
  SettingsStore& Settings() override { return m_settings; }

  SettingsStore& m_settings;
  HWND m_window = nullptr;
  HWND m_list = nullptr;
  ListNumbers m_numbers;
  MainDialogLogic m_logic{*this, m_numbers};
  BackgroundWork m_work{nullptr};
  std::vector<std::filesystem::path> m_pending;
  CategoryCounts m_counts{};
  int m_waiting = 0;
  bool m_maximizeWhenShown = false;  // closed maximised last time
  bool m_shown = false;
  int m_entryWhenDropped = CB_ERR;  // of the one choice whose list is open
  std::wstring m_itemText;          // the text the list asked for last
};

INT_PTR MainWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return FALSE;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return TRUE;
    case WM_DRAWITEM:
      if (wParam != kChartId) return FALSE;
      OnDrawChart(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return TRUE;
    case WM_SHOWWINDOW:
      // The dialog box shows itself in its normal state once it is first idle: maximised, and the files given
      // at start imported, after that.
      if (wParam == FALSE || std::exchange(m_shown, true)) return FALSE;
      if (m_maximizeWhenShown) PostMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      if (!m_pending.empty()) PostMessageW(window, kImportPending, 0, 0);
      return FALSE;
    case kImportPending: {
      // Files given at start: the window shows before the import and its message.
      ShowWindow(window, SW_SHOW);
      UpdateWindow(window);
      std::vector<std::filesystem::path> files = std::exchange(m_pending, {});
      Command([&] { m_logic.ImportFiles(files); });
      return TRUE;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != m_list) return FALSE;
      ShowListMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != res::IDM_ABOUTBOX) return FALSE;
      m_logic.OnAbout();
      return TRUE;
    case WM_SETCURSOR:
      if (m_waiting == 0) return FALSE;
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CLOSE:
      // The close box ends the program; while work runs, once the work stopped.
      if (!m_logic.OnClose()) return TRUE;
      RememberPlacement();
      EndDialog(window, 0);
      return TRUE;
    default: return FALSE;
  }
}

void MainWindow::OnInitDialog(HWND window) {
  m_window = window;
  m_list = Item(res::IDC_NUMBER_LIST);
  m_numbers.Attach(m_list);
  m_work = BackgroundWork(window);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const auto& [kind, size] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    const int pixels = GetSystemMetrics(size);
    SendMessageW(window, WM_SETICON, kind,
                 reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(res::IDR_MAINFRAME), IMAGE_ICON, pixels,
                                                     pixels, LR_DEFAULTCOLOR)));
  }
  AppendAboutEntry(GetSystemMenu(window, FALSE));

  // The list shows numbers in columns as wide as the longest of them usually is.
  ListView_SetExtendedListViewStyle(m_list, LVS_EX_DOUBLEBUFFER);
  HDC dc = GetDC(m_list);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(m_list, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, L"013912345678", 12, &extent);
  SelectObject(dc, old);
  ReleaseDC(m_list, dc);
  ListView_SetColumnWidth(m_list, 0, extent.cx + 16);

  // The overview pane: the table, area table and area choices at its left, the chart beside them.
  RECT pane;
  GetWindowRect(Item(res::IDC_OVERVIEW), &pane);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&pane), 2);
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  const int margin = 3;
  const int choiceWidth = (pane.right - pane.left) * 2 / 5;
  const int rowHeight = (pane.bottom - pane.top - 2 * margin) / 3;
  const auto make = [&](const wchar_t* cls, DWORD style, int id, RECT at) {
    HWND control = CreateWindowExW(0, cls, nullptr, WS_CHILD | WS_VISIBLE | style, at.left, at.top, at.right - at.left,
                                   at.bottom - at.top, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
  };
  const DWORD choiceStyle = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
  const int left = pane.left + margin;
  for (const auto& [id, row] :
       {std::pair{kTableChoiceId, 0}, std::pair{kAreaTableChoiceId, 1}, std::pair{kAreaChoiceId, 2}}) {
    const int top = pane.top + margin + row * rowHeight;
    make(WC_COMBOBOXW, choiceStyle, id, {left, top, left + choiceWidth, top + 300});
    SendMessageW(Item(id), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), rowHeight - 7);
  }
  // Each choice says in a tooltip what it chooses.
  HWND tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
  for (const auto& [id, tip] :
       {std::pair{kTableChoiceId, kTableChoiceTip}, std::pair{kAreaTableChoiceId, kAreaTableChoiceTip},
        std::pair{kAreaChoiceId, kAreaChoiceTip}}) {
    std::wstring text = Wide(tip);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    tool.lpszText = text.data();  // copied by the tooltip
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  make(L"Static", SS_OWNERDRAW, kChartId,
       {left + choiceWidth + margin, pane.top + margin, pane.right - margin, pane.bottom - margin});
  const auto add = [this](int id, std::string_view text) {
    SendMessageW(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
  };
  for (std::string_view name : MainDialogLogic::kFixedTableNames) add(kTableChoiceId, name);
  add(kTableChoiceId, MainDialogLogic::kLoadTableName);
  add(kAreaTableChoiceId, MainDialogLogic::kBuiltInAreasName);
  add(kAreaTableChoiceId, MainDialogLogic::kLoadAreasName);
  ChooseTableEntry(MainDialogLogic::kOriginalTable);
  ChooseAreaTableEntry(MainDialogLogic::kBuiltInAreas);
  m_logic.RestoreChoices();

  // The status line spans the window as the list does.
  RECT list;
  GetWindowRect(m_list, &list);
  RECT status;
  GetWindowRect(Item(res::IDC_STATUS), &status);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&status), 2);
  SetWindowPos(Item(res::IDC_STATUS), nullptr, 0, 0, list.right - list.left, status.bottom - status.top,
               SWP_NOMOVE | SWP_NOZORDER);

  ShowBoxes(m_logic.Boxes());
  RestorePlacement();
  DragAcceptFiles(window, TRUE);
  SetFocus(m_list);
}

void MainWindow::OnCommand(UINT id, UINT code) {
  const auto box = [&](std::optional<NumberCategory> clicked) {
    BoxStates boxes;
    boxes.all = Button_GetCheck(Item(res::IDC_CHECK_ALL)) == BST_CHECKED;
    for (const CategoryBox& each : kCategoryBoxes) {
      boxes.ticked[CategoryIndex(each.category)] = Button_GetCheck(Item(each.id)) == BST_CHECKED;
    }
    Command([&] { m_logic.OnBox(clicked, boxes); });
  };
  switch (id) {
    case res::IDC_IMPORT: return Command([this] { m_logic.OnImport(); });
    case res::IDC_EXPORT: return Command([this] { m_logic.OnExport(); });
    case res::IDC_ONE_CLICK_EXPORT: return Command([this] { m_logic.OnOneClickExport(); });
    case res::IDC_ANALYSIS: return Command([this] { m_logic.OnAnalysis(); });
    case res::IDC_AREA_EXPORT: return Command([this] { m_logic.OnExportByArea(); });
    case res::IDC_HELP_BUTTON: return Command([this] { m_logic.OnHelp(); });
    case res::IDC_CHECK_ALL: return box(std::nullopt);
    case kTableChoiceId:
    case kAreaTableChoiceId: {
      if (!ChoiceSettled(static_cast<int>(id), code)) return;
      HWND choice = Item(static_cast<int>(id));
      const int entry = MainDialogLogic::ChoiceEntry(ComboBox_GetCurSel(choice), ComboBox_GetCount(choice));
      if (id == kTableChoiceId) return Command([this, entry] { m_logic.OnTableChosen(entry); });
      return Command([this, entry] { m_logic.OnAreaTableChosen(entry); });
    }
    case kAreaChoiceId: {
      if (!ChoiceSettled(kAreaChoiceId, code)) return;
      const auto entry = static_cast<std::size_t>(ComboBox_GetCurSel(Item(kAreaChoiceId)));
      return Command([this, entry] { m_logic.OnAreaChosen(entry); });
    }
    case MenuId(ListCommand::Copy): return CopySelection();
    case MenuId(ListCommand::SelectAll): ListView_SetItemState(m_list, -1, LVIS_SELECTED, LVIS_SELECTED); return;
    case MenuId(ListCommand::Clear): return Command([this] { m_logic.OnClearNumbers(); });
    case MenuId(ListCommand::RemoveRepeats): return Command([this] { m_logic.OnRemoveRepeats(); });
    case MenuId(ListCommand::Report): return Command([this] { m_logic.OnReport(); });
    default: break;  // Enter and Esc do not close the window: Esc would throw every number away
  }
  for (const CategoryBox& each : kCategoryBoxes) {
    if (static_cast<int>(id) == each.id) return box(each.category);
  }
}

INT_PTR MainWindow::OnNotify(const NMHDR& header, LPARAM lParam) {
  if (header.hwndFrom != m_list) return FALSE;
  if (header.code == LVN_GETDISPINFOW) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
    if ((item.mask & LVIF_TEXT) == 0 || item.cchTextMax <= 0) return TRUE;
    m_itemText = FromGbk(m_numbers.NumberCopy(static_cast<std::size_t>(item.iItem)));
    const std::size_t length = std::min(m_itemText.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(m_itemText.c_str(), length, item.pszText);
    item.pszText[length] = L'\0';
    return TRUE;
  }
  if (header.code == LVN_ITEMCHANGED || header.code == LVN_ODSTATECHANGED) {
    // One item selected shows its carrier and area in the status line.
    const bool single = ListView_GetSelectedCount(m_list) == 1;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    const bool selectedNow =
        header.code == LVN_ITEMCHANGED && change->iItem >= 0 && (change->uNewState & LVIS_SELECTED);
    // The item just selected, found without a search through millions when it is the one.
    const int item = !single ? -1 : selectedNow ? change->iItem : ListView_GetNextItem(m_list, -1, LVNI_SELECTED);
    m_logic.OnSelection(item >= 0 ? std::optional(static_cast<std::size_t>(item)) : std::nullopt);
    return TRUE;
  }
  if (header.code == LVN_KEYDOWN && (GetKeyState(VK_CONTROL) & 0x8000) != 0) {
    const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey;
    if (key == 'C') CopySelection();
    if (key == 'A') ListView_SetItemState(m_list, -1, LVIS_SELECTED, LVIS_SELECTED);
    return TRUE;
  }
  return FALSE;
}

void MainWindow::OnSize(int cx, int cy) {
  if (m_list == nullptr) return;  // the first size comes as the window is made
  RECT pane;
  GetWindowRect(Item(res::IDC_OVERVIEW), &pane);
  MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&pane), 2);
  const MainWindowLayout layout = LayOutMainWindow(cx, cy, pane.right - pane.left);
  SetWindowPos(m_list, nullptr, layout.list.left, layout.list.top, layout.list.width, layout.list.height, SWP_NOZORDER);
  RECT status;
  GetWindowRect(Item(res::IDC_STATUS), &status);
  MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&status), 2);
  SetWindowPos(Item(res::IDC_STATUS), nullptr, status.left, layout.statusTop, layout.statusWidth,
               status.bottom - status.top, SWP_NOZORDER);
  // What the overview pane holds moves with it.
  const int shift = layout.paneLeft - pane.left;
  for (const int id : kPaneControls) {
    RECT rect;
    GetWindowRect(Item(id), &rect);
    MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&rect), 2);
    SetWindowPos(Item(id), nullptr, rect.left + shift, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  InvalidateRect(m_window, nullptr, TRUE);
}

namespace {

// The work area of each monitor in the coordinates of a window's placement: those of the primary
// monitor's work area.
std::vector<PixelRect> MonitorWorkAreas() {
  std::vector<PixelRect> areas;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM found) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (GetMonitorInfoW(monitor, &info)) {
          const RECT& work = info.rcWork;
          reinterpret_cast<std::vector<PixelRect>*>(found)->push_back(
              {work.left, work.top, work.right - work.left, work.bottom - work.top});
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&areas));
  RECT primary{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
  for (PixelRect& area : areas) {
    area.left -= primary.left;
    area.top -= primary.top;
  }
  return areas;
}

}  // namespace

// Made at the template's size, which is its least.
void MainWindow::RestorePlacement() {
  RECT made;
  GetWindowRect(m_window, &made);
  const RestoredPlacement restored =
      PlacementToRestore(m_settings, made.right - made.left, made.bottom - made.top, MonitorWorkAreas());
  if (!restored.normal && !restored.maximized) return;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(m_window, &placement);
  if (restored.normal) {
    const PixelRect& at = *restored.normal;
    placement.rcNormalPosition = {at.left, at.top, at.left + at.width, at.top + at.height};
  }
  placement.showCmd = SW_HIDE;  // until the dialog shows itself
  SetWindowPlacement(m_window, &placement);
  m_maximizeWhenShown = restored.maximized;
}

void MainWindow::RememberPlacement() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(m_window, &placement)) return;
  const RECT& normal = placement.rcNormalPosition;
  zelvane::RememberPlacement(
      m_settings, {{normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top},
                   placement.showCmd == SW_SHOWMAXIMIZED || (placement.flags & WPF_RESTORETOMAXIMIZED) != 0});
}

void MainWindow::OnGetMinMaxInfo(MINMAXINFO& limits) const {
  RECT size{kMainWindowMinimum.x, kMainWindowMinimum.y, kMainWindowMinimum.cx, kMainWindowMinimum.cy};
  MapDialogRect(m_window, &size);
  AdjustWindowRectEx(&size, static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE)));
  limits.ptMinTrackSize = {size.right - size.left, size.bottom - size.top};
}

// The bar chart, as ChartRows lays it out.
void MainWindow::OnDrawChart(const DRAWITEMSTRUCT& item) const {
  const RECT& area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(item.hDC, TRANSPARENT);
  const auto width = [&](const std::wstring& text) {
    SIZE extent{};
    GetTextExtentPoint32W(item.hDC, text.c_str(), static_cast<int>(text.size()), &extent);
    return static_cast<int>(extent.cx);
  };
  int labelWidth = 0;
  int countWidth = 0;
  for (NumberCategory category : kAllCategories) {
    labelWidth = std::max(labelWidth, width(Wide(CategoryLabel(category))));
    countWidth = std::max(countWidth, width(Wide(CountText(m_counts[CategoryIndex(category)], CountForm::Grouped))));
  }
  const auto rows = ChartRows({area.left, area.top, area.right - area.left, area.bottom - area.top}, labelWidth,
                              countWidth, m_counts);
  const auto rect = [](const PixelRect& r) { return RECT{r.left, r.top, r.left + r.width, r.top + r.height}; };
  for (NumberCategory category : kAllCategories) {
    const std::size_t c = CategoryIndex(category);
    RECT name = rect(rows[c].label);
    const std::wstring text = Wide(CategoryLabel(category));
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &name, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    const std::uint32_t rgb = kCategoryColors[c];
    HBRUSH brush = CreateSolidBrush(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
    const RECT bar = rect(rows[c].bar);
    FillRect(item.hDC, &bar, brush);
    DeleteObject(brush);
    RECT count = rect(rows[c].count);
    const std::wstring number = Wide(CountText(m_counts[c], CountForm::Grouped));
    DrawTextW(item.hDC, number.c_str(), static_cast<int>(number.size()), &count, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
}

void MainWindow::OnDropFiles(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::filesystem::path> files;
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
    files.emplace_back(name);
  }
  DragFinish(drop);
  if (files.empty() || !m_pending.empty()) return;
  // Explorer waits until the drop is taken: the import and its message come after.
  m_pending = std::move(files);
  PostMessageW(m_window, kImportPending, 0, 0);
}

void MainWindow::ShowListMenu(POINT at) {
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the list's corner
    RECT list;
    GetWindowRect(m_list, &list);
    at = {list.left + 8, list.top + 8};
  }
  HMENU menu = CreatePopupMenu();
  for (const ListMenuEntry& entry : kListMenu) {
    const std::wstring keys = entry.command == ListCommand::Copy        ? L"\tCtrl+C"
                              : entry.command == ListCommand::SelectAll ? L"\tCtrl+A"
                                                                        : L"";
    const UINT state = entry.startsWork && m_logic.WorkRunning() ? MF_GRAYED : MF_ENABLED;
    AppendMenuW(menu, MF_STRING | state, MenuId(entry.command), (Wide(entry.text) + keys).c_str());
  }
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, m_window, nullptr);
  DestroyMenu(menu);
}

// The selected numbers, one a line, as Unicode text on the clipboard.
bool MainWindow::ChoiceSettled(int id, UINT code) {
  HWND choice = Item(id);
  if (code == CBN_DROPDOWN) m_entryWhenDropped = ComboBox_GetCurSel(choice);
  if (code == CBN_SELENDCANCEL && m_entryWhenDropped != CB_ERR) ComboBox_SetCurSel(choice, m_entryWhenDropped);
  return code == CBN_SELENDOK;
}

void MainWindow::CopySelection() const {
  std::wstring text;
  for (int item = ListView_GetNextItem(m_list, -1, LVNI_SELECTED); item >= 0;
       item = ListView_GetNextItem(m_list, item, LVNI_SELECTED)) {
    if (!text.empty()) text += L"\r\n";
    text += FromGbk(m_numbers.NumberCopy(static_cast<std::size_t>(item)));
  }
  if (text.empty() || !OpenClipboard(m_window)) return;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

// A menu under the button.
std::optional<AreaLevel> MainWindow::AskAreaLevel() {
  RECT button;
  GetWindowRect(Item(res::IDC_AREA_EXPORT), &button);
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, Wide(MainDialogLogic::kByProvinceName).c_str());
  AppendMenuW(menu, MF_STRING, 2, Wide(MainDialogLogic::kByCityName).c_str());
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, button.left, button.bottom, 0, m_window, nullptr));
  DestroyMenu(menu);
  if (chosen == 0) return std::nullopt;
  return chosen == 1 ? AreaLevel::Province : AreaLevel::City;
}

void MainWindow::EnableCommands(bool enable) {
  for (const int id : kWorkCommandControls) EnableWindow(Item(id), enable);
  for (const int id : {kTableChoiceId, kAreaTableChoiceId, kAreaChoiceId}) EnableWindow(Item(id), enable);
  DragAcceptFiles(m_window, enable);
}

void MainWindow::ShowBoxes(const BoxStates& boxes) {
  Button_SetCheck(Item(res::IDC_CHECK_ALL), boxes.all ? BST_CHECKED : BST_UNCHECKED);
  for (const CategoryBox& each : kCategoryBoxes) {
    Button_SetCheck(Item(each.id), boxes.ticked[CategoryIndex(each.category)] ? BST_CHECKED : BST_UNCHECKED);
  }
}

void MainWindow::ShowCounts(std::string_view status, const CategoryCounts& counts) {
  SetDlgItemTextW(m_window, res::IDC_STATUS, Wide(status).c_str());
  m_counts = counts;
  InvalidateRect(Item(kChartId), nullptr, TRUE);
}

void MainWindow::ChooseTableEntry(int entry) { ComboBox_SetCurSel(Item(kTableChoiceId), entry); }

void MainWindow::ShowLoadedTable(std::string_view name, std::string_view) {
  ShowLoaded(kTableChoiceId, MainDialogLogic::kLoadedTable, name);
}

void MainWindow::ShowLoaded(int id, int loaded, std::string_view name) {
  HWND choice = Item(id);
  if (ComboBox_GetCount(choice) > loaded + 1) ComboBox_DeleteString(choice, loaded);
  ComboBox_InsertString(choice, loaded, Wide(name).c_str());
  ComboBox_SetCurSel(choice, loaded);
}

void MainWindow::ShowAreas(const std::vector<AreaEntry>& entries, std::size_t chosen) {
  HWND choice = Item(kAreaChoiceId);
  SendMessageW(choice, WM_SETREDRAW, FALSE, 0);
  ComboBox_ResetContent(choice);
  // The drop-down as wide as its widest entry ("广东省 (1,104,410)"), however narrow the choice is.
  HDC dc = GetDC(choice);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(choice, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (const AreaEntry& entry : entries) {
    const std::wstring label = Wide(entry.label);
    ComboBox_AddString(choice, label.c_str());
    SIZE extent{};
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
    widest = std::max(widest, static_cast<int>(extent.cx));
  }
  SelectObject(dc, old);
  ReleaseDC(choice, dc);
  SendMessageW(choice, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + GetSystemMetrics(SM_CXVSCROLL) + 8), 0);
  ComboBox_SetCurSel(choice, static_cast<int>(chosen));
  SendMessageW(choice, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(choice, nullptr, TRUE);
}

}  // namespace

int RunMainWindow(HINSTANCE instance, const std::vector<std::filesystem::path>& files, SettingsStore& settings) {
  MainWindow window(files, settings);
  const std::vector<WORD> dialog = BuildDialogTemplate(res::kMainDialog);
  return static_cast<int>(DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(dialog.data()),
                                                  nullptr, MainWindow::Procedure, reinterpret_cast<LPARAM>(&window)));
}

}  // namespace zelvane::win32
