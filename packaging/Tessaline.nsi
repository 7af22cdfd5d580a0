; The Tessaline installer, built by scripts/package.sh once per architecture:
;   makensis -DVERSION=x.y.z -DARCH=x64|x86 -DEXE=... -DLICENSE_FILE=... -DOUTFILE=... [-DHELP=...]
; It installs for all users. The program looks for its own files in the all-users application-data
; folder only when it runs from exactly Program Files\Orvalle\Tessaline, so that is where it goes,
; with its help file in the data folder; a copy installed elsewhere (/D=) keeps its files beside
; itself and gets its help there. The uninstaller removes what the installer put down and the
; program's own leftovers, never the user's settings.

!macro Require name
  !ifndef ${name}
    !error "define ${name} (scripts/package.sh does)"
  !endif
!macroend
!insertmacro Require VERSION
!insertmacro Require ARCH
!insertmacro Require EXE
!insertmacro Require LICENSE_FILE
!insertmacro Require OUTFILE

!if "${ARCH}" == "x64"
  ; A 64-bit installer: it runs only where the 64-bit program can, and sees the 64-bit
  ; Program Files folder and registry as the program does.
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else if "${ARCH}" == "x86"
  Target x86-unicode
  ; On 64-bit Windows this is Program Files (x86), which is also what the 32-bit program asks for.
  !define PROGRAM_FILES "$PROGRAMFILES"
!else
  !error "ARCH is x64 or x86"
!endif

!define VENDOR "Orvalle"
!define PRODUCT "Tessaline"
!define STANDARD_DIR "${PROGRAM_FILES}\${VENDOR}\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${STANDARD_DIR}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${VENDOR} ${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${VENDOR}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup (${ARCH})"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) ${VENDOR}, MIT licence"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

; No folder page: the folder decides where the program keeps its settings and looks for its help.
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var DataDir

; The folder the installed program will use for its files, as the program itself decides it:
; the all-users data folder for the standard folder (compared exactly, letter case included, as
; the program compares), the program's own folder otherwise.
!macro ChooseDataDir
  SetShellVarContext all
  !if "${ARCH}" == "x64"
    SetRegView 64
  !endif
  ${If} "$INSTDIR" S== "${STANDARD_DIR}"
    StrCpy $DataDir "$APPDATA\${VENDOR}\${PRODUCT}"
  ${Else}
    StrCpy $DataDir "$INSTDIR"
  ${EndIf}
!macroend

; The two installers share the data folder, the help file in it and the menu entry, so only one
; of them may be installed: the other's uninstaller would take the help away from this one.
Function .onInit
  ${If} ${RunningX64}
    !if "${ARCH}" == "x64"
      SetRegView 32
      StrCpy $1 "32-bit"
    !else
      SetRegView 64
      StrCpy $1 "64-bit"
    !endif
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "UninstallString"
    SetRegView default
    ${If} $0 != ""
      MessageBox MB_OK|MB_ICONSTOP "The $1 ${PRODUCT} is installed. Uninstall it first." /SD IDOK
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Tessaline"
  !insertmacro ChooseDataDir
  SetOutPath "$INSTDIR"
  File "/oname=Tessaline.exe" "${EXE}"
  File "/oname=LICENSE.txt" "${LICENSE_FILE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The program creates only the last folder of its data folder, so the whole path is made here.
  CreateDirectory "$DataDir"
  ${If} "$DataDir" != "$INSTDIR"
    ; One settings file serves every user of the machine: let them all change it, not only the
    ; first one to write it.
    nsExec::Exec '"$SYSDIR\icacls.exe" "$DataDir" /grant *S-1-5-32-545:(OI)(CI)M'
    Pop $0
  ${EndIf}
  !ifdef HELP
    SetOutPath "$DataDir"
    File "/oname=TessalineHelp.ahp" "${HELP}"
    SetOutPath "$INSTDIR"
  !endif

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Tessaline.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${VENDOR}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tessaline.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro ChooseDataDir
  Delete "$INSTDIR\Tessaline.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"

  ; The help and the preview file are the program's. The settings (Tessaline.ini) and a text the
  ; program rescued after a failure are the user's and stay, and so does their folder.
  Delete "$DataDir\TessalineHelp.ahp"
  Delete "$DataDir\runFile.htm"
  RMDir "$DataDir"
  RMDir "$INSTDIR"
  ${If} "$INSTDIR" S== "${STANDARD_DIR}"
    RMDir "${PROGRAM_FILES}\${VENDOR}"
    RMDir "$APPDATA\${VENDOR}"
  ${EndIf}

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
