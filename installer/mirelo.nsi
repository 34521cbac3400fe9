; Mirelo's installer and uninstaller.
;   makensis -DEXE=<path of Mirelo.exe> -DOUTFILE=<path of the setup program> mirelo.nsi
; Installs into the folder the program keeps its thumbnails and skin files in, creates those
; folders, a Start menu entry, optionally a desktop shortcut, and the "Programs and Features"
; entry. The uninstaller keeps the user's playlists and thumbnails unless asked to remove them.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!ifndef EXE
  !error "EXE must name the Mirelo.exe to install"
!endif
!ifndef OUTFILE
  !define OUTFILE "Mirelo-setup.exe"
!endif

; The version comes from the header the version resource is built from.
!searchparse /file "${__FILEDIR__}\..\resources\version.h" '#define MIRELO_VERSION_TEXT "' VERSION '"'

!define PRODUCT "Mirelo"
!define PUBLISHER "Oakhollow"
; The program reads its thumbnails and user skins from this fixed folder, so it is the
; default install folder and the data folders are made here whatever folder is chosen.
!define DATA_DIR "C:\Program Files\Oakhollow\MireloFreeEdition"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mirelo"
!define USERS_SID "*S-1-5-32-545"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${DATA_DIR}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "Mirelo Free Edition"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "Mirelo セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${__FILEDIR__}\..\resources\art\MYICON.ico"
!define MUI_UNICON "${__FILEDIR__}\..\resources\art\MYICON.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Mirelo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Mirelo を起動する"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

Section "Mirelo 本体" SecProgram
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  ; Installing over an older version replaces the program only: the registry and the
  ; thumbnail folder are the user's and stay as they are.
  File "/oname=Mirelo.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The folders the program writes to at run time; users may write them without elevation.
  CreateDirectory "${DATA_DIR}\Cap"
  CreateDirectory "${DATA_DIR}\Bmp"
  nsExec::Exec 'icacls "${DATA_DIR}\Cap" /grant ${USERS_SID}:(OI)(CI)M'
  Pop $0
  nsExec::Exec 'icacls "${DATA_DIR}\Bmp" /grant ${USERS_SID}:(OI)(CI)M'
  Pop $0

  CreateDirectory "$SMPROGRAMS\Mirelo"
  CreateShortcut "$SMPROGRAMS\Mirelo\Mirelo.lnk" "$INSTDIR\Mirelo.exe"
  CreateShortcut "$SMPROGRAMS\Mirelo\Mirelo のアンインストール.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Mirelo Free Edition"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Mirelo.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section /o "デスクトップにショートカットを作る" SecDesktop
  SetShellVarContext all
  CreateShortcut "$DESKTOP\Mirelo.lnk" "$INSTDIR\Mirelo.exe"
SectionEnd

Section "un.Mirelo 本体" UnSecProgram
  SectionIn RO
  SetShellVarContext all
  Delete "$INSTDIR\Mirelo.exe"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Mirelo\Mirelo.lnk"
  Delete "$SMPROGRAMS\Mirelo\Mirelo のアンインストール.lnk"
  RMDir "$SMPROGRAMS\Mirelo"
  Delete "$DESKTOP\Mirelo.lnk"
  ; Only empty folders go: thumbnails and skin files stay unless the box below is ticked.
  RMDir "${DATA_DIR}\Bmp"
  RMDir "${DATA_DIR}\Cap"
  RMDir "$INSTDIR"
  RMDir "${DATA_DIR}"
SectionEnd

; Off unless the user ticks it; a silent uninstall keeps everything of the user's.
Section /o "un.プレイリストとサムネイルも削除する" UnSecUserData
  DeleteRegKey HKCU "Software\Mirelo"
  RMDir /r "${DATA_DIR}\Cap"
  SetShellVarContext current
  RMDir /r "$LOCALAPPDATA\VirtualStore\Program Files\Oakhollow\MireloFreeEdition\Cap"
  SetShellVarContext all
  RMDir "${DATA_DIR}\Bmp"
  RMDir "$INSTDIR"
  RMDir "${DATA_DIR}"
SectionEnd

; The entry goes last: once it is gone, the uninstall has finished.
Section "-un.Entry"
  RMDir "C:\Program Files\Oakhollow"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
