; glintmere.nsi -- the Windows installer: glintmere-<version>-setup.exe.
;
; src/platform/windows/package.cmake runs makensis on it with these definitions:
;   VERSION    the project's version, such as 1.0.0
;   VIVERSION  the same with four numbers, for the installer's own version details
;   ICON       glintmere.ico, the program's icon
;   FILES      glintmere-files.nsh: the macros that install and remove the program's files
;   OUTFILE    the installer to write
;
; It installs for all users into $PROGRAMFILES64\Glintmere (/D= chooses another folder), with a
; Start-menu folder and the entry of "Apps and features"; /S installs without a window, and
; uninstall.exe /S removes without one. The uninstaller removes only what the installer put there,
; so a folder the user also keeps other files in is left with those.

; A 64-bit installer for the 64-bit program: it also runs where no 32-bit support is installed
; (a Wine without wine32), and sees the 64-bit Program Files and registry as they are.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glintmere"

Name "Glintmere"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Glintmere"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VIVERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Glintmere"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Glintmere ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "Glintmere"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 The Glintmere developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Glintmere"
  !insertmacro GLINTMERE_INSTALL_FILES
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut starts the program in its folder, as it starts itself there anyway.
  SetOutPath "$INSTDIR"
  CreateDirectory "$SMPROGRAMS\Glintmere"
  CreateShortcut "$SMPROGRAMS\Glintmere\Glintmere.lnk" "$INSTDIR\glintmere.exe" "" "$INSTDIR\glintmere.exe" 0
  CreateShortcut "$SMPROGRAMS\Glintmere\Uninstall Glintmere.lnk" "$INSTDIR\uninstall.exe" "" "$INSTDIR\uninstall.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Glintmere"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Glintmere"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glintmere.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In kilobytes, as "Apps and features" reads it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Glintmere\Glintmere.lnk"
  Delete "$SMPROGRAMS\Glintmere\Uninstall Glintmere.lnk"
  RMDir "$SMPROGRAMS\Glintmere"

  !insertmacro GLINTMERE_UNINSTALL_FILES
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
