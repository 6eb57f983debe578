; QuilloraSetup.exe: installs Quillora for every user of the computer into
; Program Files (administrator rights), or for the current user only into
; their own programs folder (%LOCALAPPDATA%\Programs, no administrator
; rights), with its Start-menu shortcut, an optional desktop shortcut and an
; entry in the list of installed programs. Administrators choose on a page
; of their own; anyone else gets the installation for themselves. The build
; passes:
;   VERSION     the product version, three numbers ("1.0.0")
;   SOURCE_DIR  the built installation folder (Quillora.exe with data beside it)
;   ICON        the program's icon
;   WEBSITE     the maker's website
;   OUTFILE     where the installer is written
; Run with /S it installs silently (with the desktop shortcut): /CurrentUser
; or /AllUsers chooses the mode; without one, an installation that exists
; keeps its mode, and a new one is for everyone (for the current user when
; Setup has no administrator rights). The uninstaller takes /S too and
; removes the installation it belongs to.

Unicode true
; A 64-bit program, installed by a 64-bit installer into the 64-bit Program
; Files folder and registry.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define PRODUCT "Quillora"
!define PUBLISHER "Quillora"
; Under HKLM for everyone's installation, under HKCU for one user's.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

; NSIS's own support for the two modes: elevation where the account may
; have it, the mode page for administrators, /CurrentUser and /AllUsers, and
; the mode and folder of an installation that exists, found through its
; uninstall entry.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_ALLUSERS "Install for everyone (needs administrator rights)"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_CURRENTUSER "Install for me only"
; The uninstaller knows its mode from where it lies (un.onInit).
!define MULTIUSER_NOUNINSTALL
!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PROGRAM_EXE "Quillora.exe"
!define UNINSTALLER "Uninstall.exe"
; The autostart shortcut that Quillora writes into each user's Startup folder
; on their first start.
!define AUTOSTART_SHORTCUT "Reminder.lnk"
; Left for the user whose autostart shortcut the uninstaller removed: their
; next start of Quillora after a new installation writes the shortcut again.
!define AUTOSTART_MARK_KEY "Software\Quillora"
!define AUTOSTART_MARK_VALUE "AutostartRemovedByUninstall"
; The windows of a running Quillora and of a running reminder.
!define MAIN_WINDOW_CLASS "QuilloraMainWindow"
!define REMINDER_TRAY_CLASS "QuilloraReminderTray"

Var ReminderWasRunning
; The folder given with /D=, which wins over the mode's folder.
Var FolderFromCommandLine
; 1 when the uninstaller removes the installation for everyone.
Var UninstallingForEveryone

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "QuilloraSetup.exe"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; No "start Quillora now": the installer may run elevated, and Quillora's
; first start makes the per-user folders of whoever runs it.
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Closes every window of `CLASS` as its close button does and waits up to ten
; seconds for it to go; $R9 is 1 when one is still there afterwards.
!macro CloseWindowsOfClass CLASS
  StrCpy $R9 0
  StrCpy $R8 0
  ${Do}
    FindWindow $R7 "${CLASS}"
    ${If} $R7 = 0
      ${Break}
    ${EndIf}
    ${If} $R8 >= 100
      StrCpy $R9 1
      ${Break}
    ${EndIf}
    ; Quillora saves the list before its window goes.
    SendMessage $R7 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    Sleep 100
    IntOp $R8 $R8 + 1
  ${Loop}
!macroend

; Before files are replaced or removed: a running Quillora is closed normally
; (so it saves the list) and the running reminder ends, after asking in
; interactive mode.
!macro CloseRunningPrograms UN
Function ${UN}CloseRunningPrograms
  FindWindow $R1 "${MAIN_WINDOW_CLASS}"
  FindWindow $R2 "${REMINDER_TRAY_CLASS}"
  ${If} $R1 = 0
  ${AndIf} $R2 = 0
    Return
  ${EndIf}
  ${IfNot} ${Silent}
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "Quillora or its birthday reminder is running.$\r$\n$\r$\nSetup closes them now (Quillora saves your list first). Click OK to go on." IDOK +2
    Abort "Quillora is still running: nothing was changed."
  ${EndIf}
  ${If} $R2 <> 0
    StrCpy $ReminderWasRunning 1
  ${EndIf}
  !insertmacro CloseWindowsOfClass "${MAIN_WINDOW_CLASS}"
  ${If} $R9 = 1
    Abort "Quillora did not close (is one of its windows waiting for an answer?). Close it and run Setup again."
  ${EndIf}
  !insertmacro CloseWindowsOfClass "${REMINDER_TRAY_CLASS}"
FunctionEnd
!macroend
!insertmacro CloseRunningPrograms ""
!insertmacro CloseRunningPrograms "un."

; The shortcuts, the uninstall entry and the folder follow the mode: every
; user's for everyone, the current user's own for one user.
Function .onInit
  SetRegView 64
  StrCpy $FolderFromCommandLine $INSTDIR
  !insertmacro MULTIUSER_INIT
  ${If} $FolderFromCommandLine != ""
    StrCpy $INSTDIR $FolderFromCommandLine
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
  ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    StrCpy $UninstallingForEveryone 0
    SetShellVarContext current
  ${Else}
    StrCpy $UninstallingForEveryone 1
    SetShellVarContext all
  ${EndIf}
FunctionEnd

Section "Quillora (required)" SectionProgram
  SectionIn RO

  Call CloseRunningPrograms
  SetOutPath "$INSTDIR"
  File "${SOURCE_DIR}/${PROGRAM_EXE}"
  SetOutPath "$INSTDIR\data"
  File "${SOURCE_DIR}/data/config.txt"
  File "${SOURCE_DIR}/data/list.txt"
  File "${SOURCE_DIR}/data/Reminder.exe"
  File "${SOURCE_DIR}/data/reminder.wav"

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; Quillora finds its data folder through its working folder, and a
  ; shortcut starts in $OUTDIR.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM_EXE}" "" "$INSTDIR\${PROGRAM_EXE}" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_EXE},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${WEBSITE}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; The reminder that was running before the upgrade runs again, from the
  ; data folder as the autostart shortcut starts it, and as the person at the
  ; desktop: Setup may run elevated, and a program it starts directly would get
  ; its rights (no clicks from the notification area) and, when another
  ; administrator elevated it, that account's list. The desktop's shell
  ; starts it instead, with the signed-in user's own rights.
  ${If} $ReminderWasRunning = 1
    SetOutPath "$INSTDIR\data"
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\data\Reminder.exe"'
    SetOutPath "$INSTDIR"
  ${EndIf}
SectionEnd

Section "Desktop shortcut" SectionDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM_EXE}" "" "$INSTDIR\${PROGRAM_EXE}" 0
SectionEnd

; Removes exactly what the installer put in place, and the autostart
; shortcut. The user's list and settings live in their own folders and stay;
; folders are removed only when nothing else is left in them.
Section "Uninstall"
  Call un.CloseRunningPrograms
  Delete /REBOOTOK "$INSTDIR\${PROGRAM_EXE}"
  Delete /REBOOTOK "$INSTDIR\data\config.txt"
  Delete /REBOOTOK "$INSTDIR\data\list.txt"
  ; The reminder may still be open on the screen.
  Delete /REBOOTOK "$INSTDIR\data\Reminder.exe"
  Delete /REBOOTOK "$INSTDIR\data\reminder.wav"
  RMDir /REBOOTOK "$INSTDIR\data"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir /REBOOTOK "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  ; Quillora writes the autostart shortcut into the Startup folder of the
  ; user who starts it; that is the user removing it here.
  SetShellVarContext current
  ${If} ${FileExists} "$SMSTARTUP\${AUTOSTART_SHORTCUT}"
    Delete "$SMSTARTUP\${AUTOSTART_SHORTCUT}"
    WriteRegDWORD HKCU "${AUTOSTART_MARK_KEY}" "${AUTOSTART_MARK_VALUE}" 1
  ${EndIf}
  ${If} $UninstallingForEveryone = 1
    SetShellVarContext all
  ${EndIf}

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
