; The per-user installer of Ombrel. It needs no administrator: the program goes
; into %LOCALAPPDATA%\Programs\Ombrel, where the profile beside the exe stays
; writable, and everything it records is under HKEY_CURRENT_USER.
;
; tools/package.sh runs it as
;   makensis -INPUTCHARSET UTF8 -DVERSION=0.1 -DVERSION4=0.1.0.0 -DPUBLISHER=...
;            -DHOMEPAGE=... -DSOURCE=<folder of ombrel.exe and Ring.wav>
;            -DICON=<ombrel.ico> -DOUTFILE=<setup.exe> ombrel.nsi

!macro REQUIRE define
  !ifndef ${define}
    !error "-D${define}=... is missing"
  !endif
!macroend
!insertmacro REQUIRE VERSION
!insertmacro REQUIRE VERSION4
!insertmacro REQUIRE PUBLISHER
!insertmacro REQUIRE HOMEPAGE
!insertmacro REQUIRE SOURCE
!insertmacro REQUIRE ICON
!insertmacro REQUIRE OUTFILE

; A 64-bit installer for the 64-bit program: it runs where the program does.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ombrel"
!define DISPLAY_NAME "Ombrel（Velkin桌面菜单）"

Name "${DISPLAY_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Ombrel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Ombrel ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=2052 "ProductName" "Ombrel"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "Ombrel 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "© ${PUBLISHER}, MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\ombrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "现在运行 Ombrel"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

; A running ombrel.exe cannot be opened for writing: ask the user to end it
; from the tray rather than fail half-way through replacing it. A silent run
; gives up at once.
!macro REFUSE_WHILE_RUNNING un
Function ${un}refuseWhileRunning
  check:
  IfFileExists "$INSTDIR\ombrel.exe" 0 free
  ClearErrors
  FileOpen $0 "$INSTDIR\ombrel.exe" a
  IfErrors running
  FileClose $0
  free:
  Return
  running:
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
    "Ombrel 正在运行。请右键单击托盘中的图标，选“退出”，然后按“重试”。" /SD IDCANCEL IDRETRY check
  Abort "Ombrel 正在运行，未作任何更改。"
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Ombrel 程序" SectionProgram
  SectionIn RO
  Call refuseWhileRunning
  SetOutPath "$INSTDIR"
  ; Ombrel.ini is never shipped, so an install over an older one keeps it.
  File "${SOURCE}\ombrel.exe"
  File "${SOURCE}\Ring.wav"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Ombrel.lnk" "$INSTDIR\ombrel.exe" "" "$INSTDIR\ombrel.exe" 0 \
    SW_SHOWNORMAL "" "${DISPLAY_NAME}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ombrel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "桌面快捷方式" SectionDesktop
  CreateShortcut "$DESKTOP\Ombrel.lnk" "$INSTDIR\ombrel.exe" "" "$INSTDIR\ombrel.exe" 0 \
    SW_SHOWNORMAL "" "${DISPLAY_NAME}"
  ; Remembered so that the uninstaller removes only a shortcut it made.
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "DesktopShortcut" 1
SectionEnd

Section "un.Ombrel 程序" SectionUninstallProgram
  SectionIn RO
  Call un.refuseWhileRunning
  Delete "$INSTDIR\ombrel.exe"
  Delete "$INSTDIR\Ring.wav"
  ; the launch shortcut the program keeps beside its profile
  Delete "$INSTDIR\Ombrel.lnk"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Ombrel.lnk"
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "DesktopShortcut"
  ${If} $0 == 1
    Delete "$DESKTOP\Ombrel.lnk"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.同时删除设置文件 Ombrel.ini" SectionUninstallProfile
  Delete "$INSTDIR\Ombrel.ini"
  ; what an interrupted save may have left
  Delete "$INSTDIR\.Ombrel.ini.ombrel-tmp-*"
SectionEnd

Section "-un.folder"
  ; only when nothing is left in it, such as the kept profile
  RMDir "$INSTDIR"
SectionEnd
