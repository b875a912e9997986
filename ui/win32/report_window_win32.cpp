#include "ui/win32/report_window_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "res/report_dialog_template.h"
#include "ui/logic/category_colors.h"
#include "ui/logic/report_dialog_logic.h"
#include "ui/logic/report_window_layout.h"
#include "ui/win32/template_dialogs_win32.h"
#include "ui/win32/wide_text.h"

namespace zelvane::win32 {

namespace {

constexpr int kSummaryId = 100;
constexpr int kTableId = 101;
constexpr int kChartId = 102;
constexpr int kExportId = 103;

class ReportWindow {
 public:
  explicit ReportWindow(ReportDialogLogic& logic) : m_logic(logic) {}

  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* window = reinterpret_cast<ReportWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return window ? window->Handle(dialog, message, wParam, lParam) : FALSE;
  }

 private:
  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_INITDIALOG: Create(dialog); return FALSE;
      case WM_SIZE: LayOut(LOWORD(lParam), HIWORD(lParam)); return TRUE;
      case WM_GETMINMAXINFO: {
        RECT frame{0, 0, kReportWindowMinWidth, kReportWindowMinHeight};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
        auto& info = *reinterpret_cast<MINMAXINFO*>(lParam);
        info.ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
        return TRUE;
      }
      case WM_DRAWITEM:
        if (wParam != kChartId) return FALSE;
        DrawChart(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case kExportId: m_logic.OnExport(); return TRUE;
          case IDOK: {  // Enter: the current row's province opens or closes
            const int row = ListView_GetNextItem(m_table, -1, LVNI_FOCUSED);
            if (GetFocus() == m_table && row >= 0) Activate(row);
            return TRUE;
          }
          case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
          default: return FALSE;
        }
      default: return FALSE;
    }
  }

  HWND Child(const wchar_t* cls, const std::wstring& text, DWORD style, int id, DWORD exStyle = 0) {
    HWND child = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, m_dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, SendMessageW(m_dialog, WM_GETFONT, 0, 0), TRUE);
    return child;
  }

  void Create(HWND dialog) {
    m_dialog = dialog;
    m_summary = Child(L"STATIC", Wide(m_logic.Summary()), SS_LEFT | SS_NOPREFIX, kSummaryId);
    m_table = Child(WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER,
                    kTableId, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(m_table, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int column = 0; column < ReportDialogLogic::kColumnCount; ++column) {
      std::wstring title = Wide(ReportDialogLogic::kColumnTitles[static_cast<std::size_t>(column)]);
      LVCOLUMNW info{};
      info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
      info.fmt = column >= ReportDialogLogic::kFirstCategory ? LVCFMT_RIGHT : LVCFMT_LEFT;
      info.cx = kReportColumnWidths[column];
      info.pszText = title.data();
      ListView_InsertColumn(m_table, column, &info);
    }
    m_chart = Child(L"STATIC", L"", SS_OWNERDRAW, kChartId);
    m_export = Child(L"BUTTON", Wide(kReportExportButton), BS_PUSHBUTTON | WS_TABSTOP, kExportId);
    Child(L"BUTTON", Wide(kReportCloseButton), BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL);
    RECT frame{0, 0, kReportWindowWidth, kReportWindowHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(dialog, &client);
    LayOut(client.right, client.bottom);
    Refresh();
    SetFocus(m_table);
  }

  void LayOut(int width, int height) {
    if (!m_table) return;
    const ReportWindowLayout layout = LayOutReportWindow(width, height);
    const auto place = [](HWND control, const PixelRect& r) {
      MoveWindow(control, r.left, r.top, r.width, r.height, TRUE);
    };
    place(m_summary, layout.summary);
    place(m_table, layout.table);
    place(m_chart, layout.chart);
    place(m_export, layout.exportButton);
    place(GetDlgItem(m_dialog, IDCANCEL), layout.closeButton);
  }

  void Refresh() {
    const auto& rows = m_logic.Rows();
    SendMessageW(m_table, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_table);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      for (int column = 0; column < ReportDialogLogic::kColumnCount; ++column) {
        std::wstring text = Wide(rows[r].cells[static_cast<std::size_t>(column)]);
        if (column == 0) {
          LVITEMW item{};
          item.mask = LVIF_TEXT;
          item.iItem = static_cast<int>(r);
          item.pszText = text.data();
          ListView_InsertItem(m_table, &item);
        } else {
          ListView_SetItemText(m_table, static_cast<int>(r), column, text.data());
        }
      }
    }
    SendMessageW(m_table, WM_SETREDRAW, TRUE, 0);
    // The sort arrow on the column sorted by.
    HWND header = ListView_GetHeader(m_table);
    for (int column = 0; column < ReportDialogLogic::kColumnCount; ++column) {
      HDITEMW item{};
      item.mask = HDI_FORMAT;
      Header_GetItem(header, column, &item);
      item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
      if (column == m_logic.SortColumn()) item.fmt |= m_logic.SortsDescending() ? HDF_SORTDOWN : HDF_SORTUP;
      Header_SetItem(header, column, &item);
    }
    InvalidateRect(m_table, nullptr, TRUE);
    InvalidateRect(m_chart, nullptr, TRUE);
  }

  void Activate(int row) {
    m_logic.OnRowActivated(static_cast<std::size_t>(row));
    Refresh();
    ListView_SetItemState(m_table, row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  }

  INT_PTR OnNotify(const NMHDR& header) {
    if (header.idFrom != kTableId) return FALSE;
    if (header.code == LVN_COLUMNCLICK) {
      m_logic.OnHeaderClicked(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
      Refresh();
      return TRUE;
    }
    if (header.code == NM_DBLCLK) {
      const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
      if (row >= 0) Activate(row);
      return TRUE;
    }
    return FALSE;
  }

  void DrawChart(const DRAWITEMSTRUCT& draw) {
    const RECT& area = draw.rcItem;
    FillRect(draw.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
    const std::vector<ReportDialogLogic::ChartBar> bars = m_logic.Chart();
    const auto widthOf = [&](const std::string& text) {
      const std::wstring wide = Wide(text);
      SIZE size{};
      GetTextExtentPoint32W(draw.hDC, wide.c_str(), static_cast<int>(wide.size()), &size);
      return static_cast<int>(size.cx);
    };
    HGDIOBJ oldFont = SelectObject(draw.hDC, reinterpret_cast<HFONT>(SendMessageW(m_dialog, WM_GETFONT, 0, 0)));
    int labelWidth = 0;
    int countWidth = 0;
    for (const auto& bar : bars) {
      labelWidth = std::max(labelWidth, widthOf(bar.label));
      countWidth = std::max(countWidth, widthOf(bar.countText));
    }
    const std::vector<ChartRow> rows =
        ReportChartRows({0, 0, area.right - area.left, area.bottom - area.top}, labelWidth, countWidth, bars);
    SetBkMode(draw.hDC, TRANSPARENT);
    const std::uint32_t rgb = kCategoryColors[0];
    HBRUSH brush = CreateSolidBrush(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
    const auto rect = [](const PixelRect& r) { return RECT{r.left, r.top, r.left + r.width, r.top + r.height}; };
    for (std::size_t i = 0; i < rows.size(); ++i) {
      RECT label = rect(rows[i].label);
      RECT bar = rect(rows[i].bar);
      RECT count = rect(rows[i].count);
      DrawTextW(draw.hDC, Wide(bars[i].label).c_str(), -1, &label,
                DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
      FillRect(draw.hDC, &bar, brush);
      DrawTextW(draw.hDC, Wide(bars[i].countText).c_str(), -1, &count, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    DeleteObject(brush);
    SelectObject(draw.hDC, oldFont);
  }

  ReportDialogLogic& m_logic;
  HWND m_dialog = nullptr;
  HWND m_summary = nullptr;
  HWND m_table = nullptr;
  HWND m_chart = nullptr;
  HWND m_export = nullptr;
};

}  // namespace

void ShowReport(HWND owner, ReportDialogLogic& logic) {
  ReportWindow window(logic);
  RunTemplateDialog(owner, res::kReportDialog, ReportWindow::Procedure, reinterpret_cast<LPARAM>(&window));
}

}  // namespace zelvane::win32
