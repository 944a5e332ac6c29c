; The suite's Windows installer. Built by the `installer` target of the win32
; build, which stages the program directory and lists its files in FILES.
; makensis -INPUTCHARSET UTF8 -DVERSION=1.0 -DSTAGE=<dir> -DFILES=<files.nsh> -DOUTFILE=<Setup.exe>
Unicode true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define SUITE "다락 게임방"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\DarakGameRoom"
; Which sample configuration files this installer wrote, and when: the
; uninstaller deletes only those the user has not changed since.
!define RECORD "$INSTDIR\uninstall.ini"

Name "${SUITE} ${VERSION}"
OutFile "${OUTFILE}"
; The updater replaces files in the program directory, so it must stay
; writable for an ordinary user: not under Program Files.
InstallDir "C:\Darak"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1042 "ProductName" "${SUITE}"
VIAddVersionKey /LANG=1042 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1042 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1042 "FileDescription" "${SUITE} ${VERSION} 설치"
VIAddVersionKey /LANG=1042 "LegalCopyright" "${SUITE}"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"

; A sample configuration file: a user's own copy is kept on reinstall.
!macro ConfigFile NAME
  ${IfNot} ${FileExists} "$INSTDIR\config\${NAME}"
    File "/oname=$INSTDIR\config\${NAME}" "${STAGE}\config\${NAME}"
    GetFileTime "$INSTDIR\config\${NAME}" $0 $1
    WriteINIStr "${RECORD}" "config" "${NAME}" "$0 $1"
  ${EndIf}
!macroend

; Deleted only when it is still the file this installer wrote.
!macro un.ConfigFile NAME
  ReadINIStr $2 "${RECORD}" "config" "${NAME}"
  ${If} ${FileExists} "$INSTDIR\config\${NAME}"
    GetFileTime "$INSTDIR\config\${NAME}" $0 $1
    ${If} "$0 $1" == $2
      Delete "$INSTDIR\config\${NAME}"
    ${EndIf}
  ${EndIf}
!macroend

!include "${FILES}"

!macro Shortcut LINK EXE
  !if /FileExists "${STAGE}\${EXE}"
    CreateShortCut "${LINK}" "$INSTDIR\${EXE}"
  !endif
!macroend

Section "Install"
  SetShellVarContext all
  ; Every program runs with the program directory as its current directory,
  ; and shortcuts take $OUTDIR as theirs.
  SetOutPath "$INSTDIR"
  !insertmacro InstallFiles
  CreateDirectory "$INSTDIR\config"
  !insertmacro InstallConfigFiles

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\${SUITE}"
  !insertmacro Shortcut "$SMPROGRAMS\${SUITE}\Lumanet.lnk" "Pondial.exe"
  !insertmacro Shortcut "$SMPROGRAMS\${SUITE}\${SUITE}.lnk" "Client.exe"
  !insertmacro Shortcut "$SMPROGRAMS\${SUITE}\게이트록.lnk" "게이트록.exe"
  CreateShortCut "$SMPROGRAMS\${SUITE}\${SUITE} 제거.lnk" "$INSTDIR\uninstall.exe"
  !insertmacro Shortcut "$DESKTOP\Lumanet.lnk" "Pondial.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${SUITE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  !if /FileExists "${STAGE}\Pondial.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pondial.exe"
  !else
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Client.exe"
  !endif
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  !insertmacro un.InstallFiles
  !insertmacro un.InstallConfigFiles
  Delete "${RECORD}"
  Delete "$INSTDIR\uninstall.exe"
  ; Without /r: a folder that still holds the user's files stays.
  !insertmacro un.InstallFolders
  RMDir "$INSTDIR"

  Delete "$DESKTOP\Lumanet.lnk"
  RMDir /r "$SMPROGRAMS\${SUITE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
