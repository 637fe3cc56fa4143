; The setup program: one file that installs the 64-bit set on 64-bit Windows and the
; 32-bit set otherwise, registers the folder-usage shell extension with the Explorer
; of the same width, and leaves an uninstaller that keeps the user's settings unless
; asked. scripts/package builds both sets and runs makensis with:
;   /DTOP=<source tree>  /DSTAGE32=<i686 files>  /DSTAGE64=<x86_64 files>
;   /DDOCS=<README.txt and LICENCE.txt>  /DOUTFILE=<setup program to write>
; Administrators deploy it silently:  setup.exe /S /D=C:\Tools\Brellix
; and remove it with:  Uninstall.exe /S [/RemoveSettings]

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include x64.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

; The version lives in one header; the numbers are read from it here.
!searchparse /file "${TOP}\common\version.h" "#define BRELLIX_VERSION_MAJOR " VERSION_MAJOR
!searchparse /file "${TOP}\common\version.h" "#define BRELLIX_VERSION_MINOR " VERSION_MINOR
!searchparse /file "${TOP}\common\version.h" "#define BRELLIX_VERSION_PATCH " VERSION_PATCH
!define VERSION "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_PATCH}"

!define PRODUCT "Brellix"
!define PUBLISHER "The Brellix developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brellix"
!define SETTINGS_KEY "Software\Brellix"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\Brellix.lnk"
; What the program and its mail plug-in write beside Brellix.exe: the account file,
; the mail log and the scratch folder of the message view.
!define ACCOUNT_FILE "Mail.Brellix"
!define MAIL_LOG "Brellix_MailLog.txt"
!define SCRATCH_FOLDER "html"
; regsvr32's exit code on success.
!define REGSVR_OK 0

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; $PROGRAMFILES64 is the 32-bit folder on 32-bit Windows.
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Licensed under the GNU GPL, version 3 or later"

!define MUI_ICON "${TOP}\meter\res\art\program.ico"
!define MUI_UNICON "${TOP}\meter\res\art\program.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Brellix.exe"
!define MUI_UNCOMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${DOCS}\LICENCE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The program files of one width.
!macro InstallSet STAGE
  File "${STAGE}\Brellix.exe"
  File "${STAGE}\Mail.dll"
  File "${STAGE}\Renewo.dll"
  File "${STAGE}\Foldwise.dll"
!macroend

; Runs regsvr32 on the shell extension with the given switches ("" to register, "/u"
; to unregister). On 64-bit Windows the 64-bit regsvr32 writes the 64-bit registry
; view the 64-bit Explorer reads; this 32-bit program reaches it only with the file
; system redirection off. Leaves regsvr32's exit code in $0.
!macro RunRegsvr32 SWITCHES
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
  ${EndIf}
  ExecWait '"$WINDIR\System32\regsvr32.exe" /s ${SWITCHES} "$INSTDIR\Foldwise.dll"' $0
  ${If} ${RunningX64}
    ${EnableX64FSRedirection}
  ${EndIf}
!macroend

Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Brellix" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    !insertmacro InstallSet "${STAGE64}"
  ${Else}
    !insertmacro InstallSet "${STAGE32}"
  ${EndIf}
  File "${DOCS}\README.txt"
  File "${DOCS}\LICENCE.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  DetailPrint "Registering the folder usage page with Explorer"
  !insertmacro RunRegsvr32 ""
  ${If} $0 != ${REGSVR_OK}
    MessageBox MB_OK|MB_ICONEXCLAMATION "Foldwise.dll could not be registered (regsvr32 ended with $0); the folder usage page will be missing from Explorer." /SD IDOK
  ${EndIf}

  SetShellVarContext all
  CreateShortCut "${SHORTCUT}" "$INSTDIR\Brellix.exe" "" "$INSTDIR\Brellix.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Brellix.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Section "un.Brellix" SecUninstallProgram
  SectionIn RO
  DetailPrint "Removing the folder usage page from Explorer"
  !insertmacro RunRegsvr32 "/u"

  Delete "$INSTDIR\Brellix.exe"
  Delete "$INSTDIR\Mail.dll"
  Delete "$INSTDIR\Renewo.dll"
  ; Explorer may still hold the extension: then it goes at the next restart.
  Delete /REBOOTOK "$INSTDIR\Foldwise.dll"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENCE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir /r "$INSTDIR\${SCRATCH_FOLDER}"

  SetShellVarContext all
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Also remove my settings" SecRemoveSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  Delete "$INSTDIR\${ACCOUNT_FILE}"
  Delete "$INSTDIR\${MAIL_LOG}"
SectionEnd

Section "-un.Folder"
  ; Only when empty: kept settings files and the user's own files stay.
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ; A silent uninstall has no page to tick the box on: /RemoveSettings ticks it.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveSettings" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecRemoveSettings}
  ${EndIf}
FunctionEnd
