#pragma once

// Identifiers of the dialog templates, controls, menu commands, strings and the icon.

namespace zelvane::res {

// The button that accepts a dialog, and the id of statics that have none.
// windows.h has IDOK as a macro of the same value; the Windows program's files may come here after it.
#pragma push_macro("IDOK")
#pragma push_macro("IDCANCEL")
#undef IDOK
#undef IDCANCEL
inline constexpr int IDOK = 1;
// The button that rejects a dialog, as Esc and the close box do.
inline constexpr int IDCANCEL = 2;
#pragma pop_macro("IDCANCEL")
#pragma pop_macro("IDOK")
inline constexpr int IDC_STATIC = -1;

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_MAIN_DIALOG = 102;
inline constexpr int IDD_SEPARATOR = 129;
inline constexpr int IDD_ANALYSIS = 131;
inline constexpr int IDD_HELP = 132;
inline constexpr int IDD_REPORT = 133;
inline constexpr int IDD_COLUMN = 134;
inline constexpr int IDD_EXPORT_KIND = 135;

inline constexpr int IDS_ABOUT_MENU_ITEM = 101;
inline constexpr int IDS_SOCKET_STARTUP_FAILED = 103;
inline constexpr int IDS_SEPARATOR_NOT_GBK = 104;

inline constexpr int IDR_MAINFRAME = 128;

// A system-menu command: its low four bits are free, and it lies below the system's own commands.
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

inline constexpr int IDC_NUMBER_LIST = 1000;
inline constexpr int IDC_IMPORT = 1001;
inline constexpr int IDC_EXPORT = 1003;
inline constexpr int IDC_CHECK_ALL = 1004;
inline constexpr int IDC_CHECK_MOBILE = 1005;
inline constexpr int IDC_CHECK_UNICOM = 1006;
inline constexpr int IDC_CHECK_TELECOM = 1007;
inline constexpr int IDC_CHECK_PHS = 1008;
inline constexpr int IDC_CHECK_OTHER = 1009;
inline constexpr int IDC_ONE_CLICK_EXPORT = 1010;
inline constexpr int IDC_SEPARATOR_EDIT = 1011;
inline constexpr int IDC_OVERVIEW = 1012;
inline constexpr int IDC_STATUS = 1013;
inline constexpr int IDC_ANALYSIS = 1014;
inline constexpr int IDC_FILE1_EDIT = 1015;
inline constexpr int IDC_PICK_FILE1 = 1016;
inline constexpr int IDC_FILE2_EDIT = 1017;
inline constexpr int IDC_PICK_FILE2 = 1018;
inline constexpr int IDC_FIND_SAME = 1019;
inline constexpr int IDC_FIND_DIFFERENT = 1020;
inline constexpr int IDC_HELP_BUTTON = 1022;
inline constexpr int IDC_AREA_EXPORT = 1023;
inline constexpr int IDC_CHOICE_PROMPT = 1024;
inline constexpr int IDC_CHOICE_LIST = 1025;
inline constexpr int IDC_CHOICE_NOTE = 1026;
inline constexpr int IDC_SEPARATOR_NOTE = 1027;

}  // namespace zelvane::res
