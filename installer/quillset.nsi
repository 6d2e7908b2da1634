; The setup program of Quillset for Outlook: installs for the current user
; alone (no administrator rights), into a folder the program may write its
; settings, options, logs and backups to, since it keeps them beside itself.
;
; The build gives: QS_VERSION (2.5.0.1210, from installer/QuillsetVersion.h),
; QS_PROGRAM (quillset.exe), QS_HELP (qsohelp.chm), QS_ICON (the program's
; icon) and QS_OUTPUT (the setup program to write).

Unicode true
!ifndef QS_VERSION | QS_PROGRAM | QS_HELP | QS_ICON | QS_OUTPUT
  !error "makensis needs -DQS_VERSION -DQS_PROGRAM -DQS_HELP -DQS_ICON -DQS_OUTPUT (see cmake/Installer.cmake)"
!endif

!define PRODUCT "Quillset for Outlook"
!define PUBLISHER "Quillset"
!define HOME_PAGE "http://www.quillset.example/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillset"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; The main window's class: the program is running while one exists.
!define MAIN_WINDOW_CLASS "UxFrame_Class"

; What the program writes beside itself. Upgrades keep all of it; the
; uninstaller removes it only when the user says so.
!macro removeUserData
  Delete "$INSTDIR\tolvane.ini"
  Delete "$INSTDIR\qsopt10.dat"
  Delete "$INSTDIR\OlCommLog.log"
  Delete "$INSTDIR\QuillsetSync.log"
  Delete "$INSTDIR\QuillsetUndo.dat"
  RMDir /r "$INSTDIR\Backups"
!macroend

Name "${PRODUCT}"
OutFile "${QS_OUTPUT}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Quillset"
; An upgrade goes where the earlier version is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${QS_VERSION}"

VIProductVersion "${QS_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${QS_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${QS_VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${QS_ICON}"
!define MUI_UNICON "${QS_ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillset.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running program holds quillset.exe open; ask to close it first. Silently
; there is no one to ask, and the run stops.
!macro refuseWhileRunning prefix
  Function ${prefix}refuseWhileRunning
    retry:
    FindWindow $0 "${MAIN_WINDOW_CLASS}" ""
    ${If} $0 <> 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running. Close it, then press Retry." \
        /SD IDCANCEL IDRETRY retry
      SetErrorLevel 3
      Quit
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro refuseWhileRunning ""
!insertmacro refuseWhileRunning "un."

Function .onInit
  SetShellVarContext current
  Call refuseWhileRunning
FunctionEnd

Section "${PRODUCT}"
  SetOutPath "$INSTDIR"
  File "/oname=quillset.exe" "${QS_PROGRAM}"
  File "/oname=qsohelp.chm" "${QS_HELP}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\quillset.exe" "" "$INSTDIR\quillset.exe" 0 SW_SHOWNORMAL "" \
    "Synchronizes Palm Desktop contacts with Outlook"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${QS_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOME_PAGE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillset.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function un.onInit
  SetShellVarContext current
  Call un.refuseWhileRunning
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\quillset.exe"
  Delete "$INSTDIR\qsohelp.chm"
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Remove your ${PRODUCT} settings, logs and backups as well?$\r$\n$\r$\nThey are tolvane.ini, qsopt10.dat, \
the logs, the Undo journal and the Backups folder in $INSTDIR. Answer No to keep them for a later installation." \
    /SD IDNO IDNO keep
  !insertmacro removeUserData
  keep:
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
