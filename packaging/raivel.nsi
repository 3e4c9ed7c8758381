; Raivel's installer: a per-user install (no administrator rights) of the
; saver and its renderer into %LOCALAPPDATA%\Programs\Raivel, with Start-menu
; entries, an entry in Windows' list of installed apps and, when the user
; keeps the option, Raivel made the current screen saver. Texts in English
; and Japanese, after the system's language.
;
; Built by packaging/CMakeLists.txt, which defines VERSION, VERSION_QUAD,
; PUBLISHER, COPYRIGHT, LICENSE, SHIPPED (the folder of what is installed:
; the programs and their guides), RESOURCES (the icon and the wizard pictures)
; and OUTFILE.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
; No file times in the installer: two builds of one commit give the same
; bytes.
SetDateSave off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Raivel"
; What the installer keeps for the uninstaller: the screen saver chosen
; before Raivel.
!define RAIVEL_KEY "Software\Raivel"
!define DESKTOP_KEY "Control Panel\Desktop"
; Where the saver leaves its two pictures for the renderer (one of them is
; the user's desktop). This and the other names the programs share
; (Raivel.dll, the windows' names) are those of renderer/handoff/handoff.h.
!define CAPTURE_FOLDER "C:\r_mosk"
!define SPI_SETSCREENSAVEACTIVE 0x0011
!define SPIF_UPDATEINIFILE_SENDWININICHANGE 3

Name "Raivel"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Raivel"
RequestExecutionLevel user
BrandingText "Raivel ${VERSION}"

!define MUI_ICON "${RESOURCES}/raivel.ico"
!define MUI_UNICON "${RESOURCES}/raivel.ico"
; Raivel's own pictures: the storm beside the finish page and in the
; pages' header.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${RESOURCES}/wizard.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_BITMAP "${RESOURCES}/header.bmp"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettingsText)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString CurrentSaverName ${LANG_ENGLISH} "Set as the screen saver"
LangString CurrentSaverName ${LANG_JAPANESE} "スクリーン セーバーに設定"
LangString CurrentSaverText ${LANG_ENGLISH} "Windows starts Raivel after the wait set in its screen saver settings. Uninstalling Raivel brings back the screen saver chosen before."
LangString CurrentSaverText ${LANG_JAPANESE} "スクリーン セーバーの設定の待ち時間が過ぎると、Windows が Raivel を起動します。Raivel をアンインストールすると、以前のスクリーン セーバーに戻ります。"
LangString OpenSettingsText ${LANG_ENGLISH} "Open the screen saver settings"
LangString OpenSettingsText ${LANG_JAPANESE} "スクリーン セーバーの設定を開く"
LangString RunningText ${LANG_ENGLISH} "Raivel is running, or its settings are open. Close it, then choose Retry."
LangString RunningText ${LANG_JAPANESE} "Raivel が実行中か、設定が開いています。閉じてから [再試行] を選んでください。"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Raivel"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Raivel setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}. ${LICENSE}."

; Both the installer and the uninstaller need these, under their own names.
!macro SHARED_FUNCTIONS un
  ; Waits while a run of the saver ("Zandrel_Main") or its settings dialog
  ; ("<Raivel>") is there: their files are in use. Cancel quits.
  Function ${un}WaitUntilRaivelCloses
    check:
      FindWindow $0 "" "Zandrel_Main"
      ${If} $0 = 0
        FindWindow $0 "" "<Raivel>"
      ${EndIf}
      ${If} $0 <> 0
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(RunningText)" /SD IDCANCEL IDRETRY check
        SetErrorLevel 2
        Quit
      ${EndIf}
  FunctionEnd

  ; $0: 1 when SCRNSAVE.EXE names the saver in $INSTDIR, by its long path or
  ; by the short one Windows' own settings may write; else 0. $1: the value.
  Function ${un}ReadScreenSaver
    StrCpy $0 0
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    GetFullPathName /SHORT $2 "$INSTDIR\Raivel.scr"
    ${If} $1 == "$INSTDIR\Raivel.scr"
      StrCpy $0 1
    ${ElseIf} $2 != ""
    ${AndIf} $1 == $2
      StrCpy $0 1
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro SHARED_FUNCTIONS ""
!insertmacro SHARED_FUNCTIONS "un."

Function .onInit
  Call WaitUntilRaivelCloses
FunctionEnd

Function un.onInit
  Call un.WaitUntilRaivelCloses
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

; The programs, their guides in Japanese and English (the settings dialog's
; link opens the one in its language), the Start-menu entries and the
; uninstall entry. Raivel.ini beside the saver is the user's and stays as it
; is.
Section "-Programs"
  SetOutPath "$INSTDIR"
  File "${SHIPPED}/Raivel.scr"
  File "${SHIPPED}/Raivel.dll"
  File "${SHIPPED}/README.txt"
  File "${SHIPPED}/README-en.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Raivel settings.lnk" "$INSTDIR\Raivel.scr" "/c"
  CreateShortcut "$SMPROGRAMS\Raivel.lnk" "$INSTDIR\Raivel.scr" "/s"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Raivel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Raivel.scr,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Raivel becomes the current screen saver; the one chosen before is kept
; for the uninstaller, unless Raivel is already the current one (an install
; over an earlier one).
Section "$(CurrentSaverName)" CurrentSaver
  Call ReadScreenSaver
  ${If} $0 = 0
    DeleteRegValue HKCU "${RAIVEL_KEY}" "PreviousScreenSaver"
    ClearErrors
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${IfNot} ${Errors}
      WriteRegStr HKCU "${RAIVEL_KEY}" "PreviousScreenSaver" $1
    ${EndIf}
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$INSTDIR\Raivel.scr"
  ; Switched on, and Windows told at once; the timeout stays the user's.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDWININICHANGE}) i'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${CurrentSaver} "$(CurrentSaverText)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Everything the install made, the settings file and the saver's pictures
; go; the screen saver chosen before Raivel comes back, unless the user has
; chosen another one since.
Section "Uninstall"
  Call un.ReadScreenSaver
  ${If} $0 = 1
    ClearErrors
    ReadRegStr $1 HKCU "${RAIVEL_KEY}" "PreviousScreenSaver"
    ${If} ${Errors}
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $1
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${RAIVEL_KEY}"

  Delete "$SMPROGRAMS\Raivel settings.lnk"
  Delete "$SMPROGRAMS\Raivel.lnk"

  Delete "${CAPTURE_FOLDER}\Zandrel1.bmp"
  Delete "${CAPTURE_FOLDER}\Zandrel2.bmp"
  RMDir "${CAPTURE_FOLDER}"

  Delete "$INSTDIR\Raivel.scr"
  Delete "$INSTDIR\Raivel.dll"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\README-en.txt"
  Delete "$INSTDIR\Raivel.ini"
  Delete "$INSTDIR\Uninstall.exe"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Last: its going tells that the uninstall is over.
  RMDir "$INSTDIR"
SectionEnd
