; The Windows installer: installs sortbars for the current user, with no
; administrator rights, into %LOCALAPPDATA%\Programs\sortbars, with a
; Start-menu entry and an uninstaller listed in Apps & features. Both the
; installer and the uninstaller run silently with /S.
; makensis defines VERSION, EXE, LICENSE_FILE and OUTFILE.
; A 64-bit installer for the 64-bit program; it also runs where Wine has no 32-bit side.
Target amd64-unicode
SetCompressor /SOLID lzma
; The files keep no time of their own, so the same source makes the same installer.
SetDateSave off
RequestExecutionLevel user

Name "sortbars"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\sortbars"
BrandingText "sortbars ${VERSION}"
Icon "${ICON_FILE}"
UninstallIcon "${ICON_FILE}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\sortbars"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "sortbars"
VIAddVersionKey "FileDescription" "sortbars setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 The sortbars developers"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles
LicenseData "${LICENSE_FILE}"

Section "sortbars"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=sortbars.exe" "${EXE}"
  File "/oname=LICENSE.txt" "${LICENSE_FILE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\sortbars.lnk" "$INSTDIR\sortbars.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "sortbars"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The sortbars developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sortbars.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\sortbars.lnk"
  Delete "$INSTDIR\sortbars.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
