; The Windows installer: zelvane.exe, zelvane-cli.exe, README.md, LICENSE and THIRD-PARTY-LICENSES.txt
; (the licences of the libraries in the programs) in Program Files\Zelvane, a
; Start-menu shortcut, Zelvane offered in "Open with" for .txt files (never made their default) and an
; uninstaller listed in Add/Remove Programs. scripts/windows runs
;   makensis -DVERSION=1.0 -DFILES=<folder of the programs and documents> -DICON=<zelvane.ico> -DOUTFILE=<setup.exe>
; /S installs silently, /D=<folder> (the last argument, unquoted) chooses the folder.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvane"
!define APPLICATION_KEY "Software\Classes\Applications\zelvane.exe"
!define PROGID "Zelvane.NumberFile"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "Zelvane"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Zelvane"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; For every user of the machine: Program Files and HKLM.
RequestExecutionLevel admin
ManifestDPIAware true
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "Zelvane"
VIAddVersionKey /LANG=2052 "FileDescription" "Zelvane ${VERSION} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "The Zelvane developers"
VIAddVersionKey /LANG=2052 "LegalCopyright" "© 2026 The Zelvane developers, Apache License 2.0"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\zelvane.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${FILES}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${FILES}/zelvane.exe" "${FILES}/zelvane-cli.exe" "${FILES}/README.md" "${FILES}/LICENSE"
  File "${FILES}/THIRD-PARTY-LICENSES.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Zelvane.lnk" "$INSTDIR\zelvane.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zelvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Zelvane developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelvane.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; "Open with": the program, the file types it takes, and a type of its own that .txt lists beside its default.
  WriteRegStr HKLM "${APPLICATION_KEY}" "FriendlyAppName" "Zelvane"
  WriteRegStr HKLM "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\zelvane.exe" "%1"'
  WriteRegStr HKLM "${APPLICATION_KEY}\SupportedTypes" ".txt" ""
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "号码文件"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\zelvane.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\zelvane.exe" "%1"'
  WriteRegNone HKLM "Software\Classes\.txt\OpenWithProgids" "${PROGID}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Zelvane.lnk"
  Delete "$INSTDIR\zelvane.exe"
  Delete "$INSTDIR\zelvane-cli.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\THIRD-PARTY-LICENSES.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: files the user put there stay.
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${APPLICATION_KEY}"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  DeleteRegValue HKLM "Software\Classes\.txt\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\.txt\OpenWithProgids"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
