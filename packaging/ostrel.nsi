; The Windows installer: Ostrel-<version>-setup.exe, made by
; packaging/make-setup.sh with makensis (NSIS 3), which passes in
;   VERSION_NSH  the generated version.nsh (the version and names, from CMake)
;   SHIPPED_NSH  the generated list of the shipped data files, for removal
;   STAGE        the portable folder to install (the zip's contents)
;   ICON         the program's icon
;   WIZARD_BITMAP  the finish page's side picture (made from the icon)
;   OUTFILE      the setup file to write
;
; What it promises the user:
; - A per-user install into %LOCALAPPDATA%\Programs\Ostrel, without
;   administrator rights: the program writes "User Preset Banks",
;   Settings.cfg and its devices' rom.xml beside itself.
; - A Start menu shortcut, an entry in Apps & features, and .syx files
;   opened with Ostrel only when the user ticks it.
; - Uninstalling removes what was shipped and keeps the user's work (the
;   banks, Settings.cfg, every rom.xml, and anything the user added) unless
;   "Remove my banks and settings" is ticked (/REMOVEUSERDATA when silent).
; - Installing over an older version first runs that version's own
;   uninstaller in its keep-everything mode, so shipped files the new version
;   no longer has go away and the user's work stays; then the new shipped
;   files are copied. The demo banks are copied only into a new
;   "User Preset Banks" folder, so banks the user edited or deleted stay so.
;
; A 64-bit installer, because the program is 64-bit only: a 32-bit Windows
; is told at once that the setup file does not run there.

!include "${VERSION_NSH}"
!include "${SHIPPED_NSH}"
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ostrel"
!define SYX_PROGID "Ostrel.SysExFile"
!define UNINSTALLER "Uninstall Ostrel.exe"

Name "${OSTREL_PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Ostrel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
ManifestSupportedOS all
BrandingText "${OSTREL_PRODUCT} ${OSTREL_VERSION}"

VIProductVersion "${OSTREL_VERSION_DOTS}"
VIFileVersion "${OSTREL_VERSION_DOTS}"
VIAddVersionKey "ProductName" "${OSTREL_PRODUCT}"
VIAddVersionKey "CompanyName" "${OSTREL_COMPANY}"
VIAddVersionKey "LegalCopyright" "${OSTREL_COPYRIGHT}"
VIAddVersionKey "FileDescription" "${OSTREL_PRODUCT} ${OSTREL_VERSION} Setup"
VIAddVersionKey "FileVersion" "${OSTREL_VERSION}"
VIAddVersionKey "ProductVersion" "${OSTREL_VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Ostrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Ostrel"
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "Ostrel will be removed. Your banks, Settings.cfg and the device banks (rom.xml) your devices wrote are kept, unless you tick the second box."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------------------
; Both sides refuse to work while the program runs: its files could not be
; replaced or removed, and it writes Settings.cfg when it quits.
!macro REFUSE_WHILE_RUNNING un
Function ${un}RefuseWhileRunning
  retry:
  FindWindow $0 "Ostrel"
  ${If} $0 <> 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Ostrel is running. Please quit it (File > Quit), then choose Retry." \
      /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

; ---------------------------------------------------------------------------
Section "Ostrel" SecProgram
  SectionIn RO
  ; An older version's uninstaller, run in place (_?=) so that this waits for
  ; it, removes its shipped files and keeps the user's.
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    ExecWait '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
    Delete "$INSTDIR\${UNINSTALLER}"
  ${EndIf}

  ; "folder/*.*" rather than "folder": File /r takes a single name as a name
  ; to look for at every depth.
  SetOutPath "$INSTDIR\Devices"
  File /r "${STAGE}/Devices/*.*"
  SetOutPath "$INSTDIR\Library"
  File /r "${STAGE}/Library/*.*"
  SetOutPath "$INSTDIR\Help"
  File /r "${STAGE}/Help/*.*"
  SetOutPath "$INSTDIR"
  File "${STAGE}/Ostrel.exe"
  File "${STAGE}/ostrel-cli.exe"
  ${IfNot} ${FileExists} "$INSTDIR\User Preset Banks\*.*"
    SetOutPath "$INSTDIR\User Preset Banks"
    File "${STAGE}/User Preset Banks/*.xml"
    SetOutPath "$INSTDIR"
  ${EndIf}
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortCut "$SMPROGRAMS\Ostrel.lnk" "$INSTDIR\Ostrel.exe" "" "$INSTDIR\Ostrel.exe" 0 \
    SW_SHOWNORMAL "" "${OSTREL_DESCRIPTION}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${OSTREL_PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${OSTREL_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Ostrel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${OSTREL_COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Open .syx files with Ostrel" SecSyx
  WriteRegStr HKCU "Software\Classes\${SYX_PROGID}" "" "SysEx File"
  WriteRegStr HKCU "Software\Classes\${SYX_PROGID}\DefaultIcon" "" "$INSTDIR\Ostrel.exe,0"
  WriteRegStr HKCU "Software\Classes\${SYX_PROGID}\shell\open\command" "" \
    '"$INSTDIR\Ostrel.exe" "%1"'
  WriteRegStr HKCU "Software\Classes\.syx" "" "${SYX_PROGID}"
  WriteRegStr HKCU "Software\Classes\.syx\OpenWithProgids" "${SYX_PROGID}" ""
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
SectionEnd

Function .onInit
  Call RefuseWhileRunning
  ; An upgrade keeps the association the user chose before.
  ReadRegStr $0 HKCU "Software\Classes\.syx" ""
  ${If} $0 == "${SYX_PROGID}"
    !insertmacro SelectSection ${SecSyx}
  ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------
Section "un.Ostrel" SecUnProgram
  SectionIn RO
  Delete "$INSTDIR\Ostrel.exe"
  Delete "$INSTDIR\ostrel-cli.exe"
  ; Only what was shipped, file by file: a rom.xml a device wrote, or a
  ; library the user added, keeps its folder.
  !insertmacro OSTREL_REMOVE_SHIPPED
  Delete "$SMPROGRAMS\Ostrel.lnk"

  ReadRegStr $0 HKCU "Software\Classes\.syx" ""
  ${If} $0 == "${SYX_PROGID}"
    DeleteRegValue HKCU "Software\Classes\.syx" ""
  ${EndIf}
  DeleteRegValue HKCU "Software\Classes\.syx\OpenWithProgids" "${SYX_PROGID}"
  DeleteRegKey /ifempty HKCU "Software\Classes\.syx\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "Software\Classes\.syx"
  DeleteRegKey HKCU "Software\Classes\${SYX_PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Remove my banks and settings" SecUnUserData
  RMDir /r "$INSTDIR\User Preset Banks"
  Delete "$INSTDIR\Settings.cfg"
  FindFirst $0 $1 "$INSTDIR\Devices\*.eld"
  ${DoWhile} $1 != ""
    Delete "$INSTDIR\Devices\$1\rom.xml"
    RMDir "$INSTDIR\Devices\$1"
    FindNext $0 $1
  ${Loop}
  FindClose $0
  RMDir "$INSTDIR\Devices"
SectionEnd

Section "-un.Finish"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  Call un.RefuseWhileRunning
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEUSERDATA" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnUserData}
  ${EndIf}
FunctionEnd
