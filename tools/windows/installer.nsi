; SPDX-FileCopyrightText: 2026 ORX frekvenca developers
;
; SPDX-License-Identifier: GPL-3.0-or-later

; The Windows program's installer, made by tools/windows-build from the zip's folder:
;   makensis -DSTAGE=folder -DICON=file.ico -DVERSION=x.y -DFILE_VERSION=x.y.0.0 \
;            -DOUTFILE=orx-frekvenca-x.y-namestitev.exe installer.nsi
; It installs for the user alone, into a folder of the user's own, so that pll.ini lives beside
; the program as the Windows program keeps it, and no administrator is asked. Removing the
; program takes away what the installer brought and leaves pll.ini, the user's presets and notes.

; 64-bit, as the program is (and Wine here runs no 32-bit code).
Target amd64-unicode
!include "MUI2.nsh"

!define NAME "ORX frekvenca"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\orx-frekvenca"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
SetCompressor /SOLID lzma
VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1060 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1060 "FileDescription" "${NAME}: namestitev"
VIAddVersionKey /LANG=1060 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1060 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\orx-frekvenca.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Slovenian"

; What the installer brings, one list for installing and removing.
!macro ProgramFiles Action
  !insertmacro ${Action} "orx-frekvenca.exe"
  !insertmacro ${Action} "README.txt"
  !insertmacro ${Action} "LICENSE.txt"
  !insertmacro ${Action} "orx-frekvenca.txt"
  !insertmacro ${Action} "orx-frekvenca-sl.txt"
  !insertmacro ${Action} "Comic-Neue-licence.txt"
!macroend
!macro Bring Name
  File "${STAGE}/${Name}"
!macroend
!macro TakeAway Name
  Delete "$INSTDIR\${Name}"
!macroend

Section
  SetOutPath "$INSTDIR"
  !insertmacro ProgramFiles Bring
  WriteUninstaller "$INSTDIR\odstrani.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\orx-frekvenca.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orx-frekvenca.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\odstrani.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\odstrani.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro ProgramFiles TakeAway
  Delete "$INSTDIR\odstrani.exe"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  ; Only when empty: a folder that still holds pll.ini stays, with it.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
