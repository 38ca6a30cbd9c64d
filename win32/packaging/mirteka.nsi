; Installer of the Windows program: for the current user only, without
; administrator rights, into %LOCALAPPDATA%\Programs\mirteka, with a Start-menu
; entry and an uninstaller registered under HKCU.
; makensis -INPUTCHARSET UTF8 -DVERSION=1.00 -DVERSION4=1.0.0.0 -DPROGRAM=...\mirteka.exe
;          -DPHOTOS=<folder of the photographs> -DPHOTO_NAMES=photos.nsh -DICON=mirteka.ico
;          -DLEGAL_COPYRIGHT=... [-DPUBLISHER=...] [-DURL_INFO=...] [-DHELP_URL=...]
;          [-DSIGN=tools/sign_windows.sh] -DOUTFILE=setup.exe mirteka.nsi
; PHOTO_NAMES is written at build time from the guide's list of photographs.
; PUBLISHER, URL_INFO and HELP_URL appear in Apps only when given. SIGN signs
; the uninstaller as makensis writes it, before it is packed: WriteUninstaller
; then puts exactly those signed bytes on the user's disk.

; 64-bit like the program: it runs wherever the program does, and under a
; wine without its 32-bit part.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define NAME "ヌペ部の謎"
!define TITLE "ヌペ部の謎　'99"
!define MAKER "Project ZOMI"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\mirteka"
!define SHORTCUT "$SMPROGRAMS\${NAME}.lnk"

!ifndef PUBLISHER
  !define PUBLISHER ""
!endif
!ifndef URL_INFO
  !define URL_INFO ""
!endif
!ifndef HELP_URL
  !define HELP_URL ""
!endif
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
!endif

Name "${TITLE}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\mirteka"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\mirteka.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${TITLE}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${TITLE} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "${LEGAL_COPYRIGHT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"

; The photographs the guide shows, beside the program: the macro Photographs.
!include "${PHOTO_NAMES}"
!macro InstallPhoto FILE
  File "${PHOTOS}\${FILE}"
!macroend
!macro AddSize FILE
  FileOpen $1 "$INSTDIR\${FILE}" r
  FileSeek $1 0 END $2
  FileClose $1
  IntOp $0 $0 + $2
!macroend
!macro RemovePhoto FILE
  Delete "$INSTDIR\${FILE}"
!macroend

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=mirteka.exe" "${PROGRAM}"
  !insertmacro Photographs InstallPhoto
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\mirteka.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\mirteka.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  !if "${PUBLISHER}" != ""
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  !endif
  !if "${URL_INFO}" != ""
    WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${URL_INFO}"
  !endif
  !if "${HELP_URL}" != ""
    WriteRegStr HKCU "${UNINSTALL_KEY}" "HelpLink" "${HELP_URL}"
  !endif
  ; What Apps shows as the size: the files installed here, in KiB rounded up.
  StrCpy $0 0
  !insertmacro AddSize "mirteka.exe"
  !insertmacro Photographs AddSize
  !insertmacro AddSize "uninstall.exe"
  IntOp $0 $0 + 1023
  IntOp $0 $0 / 1024
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes exactly what was installed, then the folder if nothing else is left in it.
Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\mirteka.exe"
  !insertmacro Photographs RemovePhoto
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
