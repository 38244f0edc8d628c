; Morvil's Windows installer, built by tools/build-windows.sh:
;   makensis -DVERSION=<version> -DSTAGE=<the installed folder> -DFILES=<its file list> -DOUTFILE=<setup.exe> morvil.nsi
; A 64-bit installer for a 64-bit program: Program Files, the 64-bit registry, a Start-menu entry, the .mnls
; note lists opened with Morvil, and an uninstaller that removes exactly what was installed.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvil"
!define NOTE_LIST_TYPE "Morvil.NotaListesi"

Name "Morvil"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Morvil"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "Morvil"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Morvil Kurulumu"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Turkish"

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Morvil"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Morvil.lnk" "$INSTDIR\morvil.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Morvil"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Morvil developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\morvil.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

    WriteRegStr HKLM "Software\Classes\.mnls" "" "${NOTE_LIST_TYPE}"
    WriteRegStr HKLM "Software\Classes\${NOTE_LIST_TYPE}" "" "Morvil nota listesi"
    WriteRegStr HKLM "Software\Classes\${NOTE_LIST_TYPE}\DefaultIcon" "" "$INSTDIR\morvil.exe,0"
    WriteRegStr HKLM "Software\Classes\${NOTE_LIST_TYPE}\shell\open\command" "" '"$INSTDIR\morvil.exe" "%1"'
    ; SHCNE_ASSOCCHANGED: Explorer shows the new file type at once.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Morvil.lnk"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The type is removed only while it is still Morvil's.
    ReadRegStr $0 HKLM "Software\Classes\.mnls" ""
    StrCmp $0 "${NOTE_LIST_TYPE}" 0 +2
        DeleteRegKey HKLM "Software\Classes\.mnls"
    DeleteRegKey HKLM "Software\Classes\${NOTE_LIST_TYPE}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
