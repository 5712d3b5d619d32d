; The per-user installer of Tapmill. The program keeps its recordings, scripts and INI files beside
; tapmill.exe, so it goes into the user's own program folder, where the user may write, and needs no
; administrator. The build defines VERSION (3.3.0), VERSION_SHORT (3.3), DIST (the program folder),
; ICON and OUTFILE.
Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tapmill"
!define START_MENU_ENTRY "$SMPROGRAMS\Tapmill.lnk"
; What the program makes by itself: the log-on start, the desktop shortcut of its first start and
; the key where it notes that it made that shortcut.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Tapmill3.3"
!define DESKTOP_SHORTCUT "$DESKTOP\Tapmill3.3.lnk"
!define PROGRAM_KEY "Software\Tapmill"

Name "Tapmill ${VERSION_SHORT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tapmill"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tapmill.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "程序文件总会被删除。录制、脚本和设置默认保留在安装文件夹中，勾选下面一项可将它们一并删除。"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Tapmill"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Tapmill 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"

Section "Tapmill"
  SetOutPath "$INSTDIR"
  File "${DIST}/tapmill.exe"
  File "${DIST}/PTRGUARD.DLL"
  File "${DIST}/TAPGUARD.DLL"
  File "${DIST}/TAPMILL帮助文档.CHM"
  ; Left as they are when installing over an earlier installation: they hold the user's work.
  CreateDirectory "$INSTDIR\jb_rec"
  CreateDirectory "$INSTDIR\jb_strec"
  CreateDirectory "$INSTDIR\jb_homa"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${START_MENU_ENTRY}" "$INSTDIR\tapmill.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tapmill ${VERSION_SHORT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tapmill"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tapmill.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "un.程序文件和快捷方式" UnProgram
  SectionIn RO
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Another copy of the program elsewhere may have its own log-on start under the same name.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == "$INSTDIR\tapmill.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  Delete "${DESKTOP_SHORTCUT}"
  DeleteRegKey HKCU "${PROGRAM_KEY}"
  Delete "${START_MENU_ENTRY}"
  ; A program still running is removed at the next restart.
  Delete /REBOOTOK "$INSTDIR\tapmill.exe"
  Delete /REBOOTOK "$INSTDIR\PTRGUARD.DLL"
  Delete /REBOOTOK "$INSTDIR\TAPGUARD.DLL"
  Delete "$INSTDIR\TAPMILL帮助文档.CHM"
  Delete "$INSTDIR\uninstall.exe"
SectionEnd

Section /o "un.录制、脚本和设置（jb_rec、jb_strec、jb_homa 文件夹和 INI 文件）" UnData
  RMDir /r "$INSTDIR\jb_rec"
  RMDir /r "$INSTDIR\jb_strec"
  RMDir /r "$INSTDIR\jb_homa"
  ; Every settings file the program writes beside itself (config.ini, plan.ini, hotkey.ini), and
  ; what a save cut off leaves beside one: NAME.ini.tmp~ and the id of the process.
  Delete "$INSTDIR\*.ini"
  Delete "$INSTDIR\*.ini.tmp~*"
SectionEnd

Section "-un.InstallFolder"
  ; Only once nothing is left in it: kept recordings keep the folder.
  RMDir "$INSTDIR"
SectionEnd
