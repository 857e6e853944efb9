; The Windows installer of Veltran (NSIS 3, Unicode): the game into Program Files
; with its content in "content" beside it (so it knows it is installed and writes
; into the player's %APPDATA%\Veltran), a Start menu entry, and an uninstaller that
; removes every file it installed, leaving the player's saves and settings unless
; asked to take them too. makensis -DVERSION=... -DSTAGE=... -DOUTFILE=...
; A 64-bit installer for the 64-bit game.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"

Name "Veltran"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Veltran"
InstallDirRegKey HKLM "Software\Veltran" "InstallDir"
BrandingText "Veltran ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "Veltran"
VIAddVersionKey /LANG=1049 "FileDescription" "Veltran ${VERSION}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "(C) 2007, 2026 the Veltran developers"

!define MUI_ICON "${STAGE}/veltran.ico"
!define MUI_UNICON "${STAGE}/veltran.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Veltran"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "English"

LangString PlayerData ${LANG_RUSSIAN} "Сохранённые игры, настройки и снимки экрана"
LangString PlayerData ${LANG_ENGLISH} "Saved games, settings and screenshots"

Section "Veltran" Game
  SectionIn RO
  SetShellVarContext all
  ; Every file of the game, listed by the packaging script.
  !include "${STAGE}/install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Veltran.lnk" "$INSTDIR\veltran.exe" "" "$INSTDIR\veltran.exe" 0
  WriteRegStr HKLM "Software\Veltran" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Veltran"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "the Veltran developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\veltran.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "un.Veltran" UnGame
  SectionIn RO
  SetShellVarContext all
  Delete "$SMPROGRAMS\Veltran.lnk"
  ; Exactly the files installed, then the folders they leave empty.
  !include "${STAGE}/uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Veltran"
SectionEnd

; Left alone unless the player ticks it: what the game wrote for them.
Section /o "un.$(PlayerData)" UnPlayerData
  SetShellVarContext current
  RMDir /r "$APPDATA\Veltran"
  RMDir /r "$LOCALAPPDATA\Veltran"
SectionEnd
