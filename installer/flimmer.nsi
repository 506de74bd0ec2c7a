; Flimmer's Windows installer. Per user: no administrator, nothing outside the user's profile,
; and the uninstaller takes away everything the installer wrote and nothing else.
;
; Built by `make dist`:
;   makensis -DVERSION=0.1.0 -DLISTS=<file_lists.py's output> -DICON=<flimmer.ico>
;            -DOUTFILE=<setup exe> installer/flimmer.nsi
;
; Command line: /S silent, /D=<folder> the install folder (last, unquoted), /DESKTOP a desktop
; shortcut also when silent. The uninstaller: /S silent (keeps the settings).

!macro Required NAME
  !ifndef ${NAME}
    !error "define ${NAME} with -D${NAME}=... (see the Makefile's dist target)"
  !endif
!macroend
!insertmacro Required VERSION
!insertmacro Required LISTS
!insertmacro Required ICON
!insertmacro Required OUTFILE

Unicode true
; flimmer.exe is x86-64 only, so the installer may be too: then it sees the same registry
; and folders as the program, with no WOW64 redirection to think about.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Flimmer"
!define COMPANY "Korvane"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Flimmer"
!define APP_KEY "Software\Classes\Applications\flimmer.exe"
!define PROGID "Flimmer.Picture"
!define PROGID_KEY "Software\Classes\${PROGID}"
!define SETTINGS_KEY "Software\Korvane\Flimmer"
!define SHORTCUT "Flimmer.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "${PRODUCT} setup"
VIAddVersionKey CompanyName "${COMPANY}"
VIAddVersionKey LegalCopyright "${COMPANY}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; Offers to start Flimmer at the end (ticked); a silent install never starts it.
!define MUI_FINISHPAGE_RUN "$INSTDIR\flimmer.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Flimmer now"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The picture types Flimmer opens; it offers itself for them under "Open with" and never
; takes one over.
!macro ForEachPictureType MACRO
  !insertmacro ${MACRO} ".bmp"
  !insertmacro ${MACRO} ".png"
  !insertmacro ${MACRO} ".jpg"
  !insertmacro ${MACRO} ".jpeg"
  !insertmacro ${MACRO} ".jfif"
  !insertmacro ${MACRO} ".tif"
  !insertmacro ${MACRO} ".tiff"
  !insertmacro ${MACRO} ".gif"
!macroend

!macro OfferForType EXT
  WriteRegStr HKCU "${APP_KEY}\SupportedTypes" "${EXT}" ""
  WriteRegStr HKCU "Software\Classes\${EXT}\OpenWithProgids" "${PROGID}" ""
!macroend

; The extension's own key may be the user's or another program's: only our value goes, and a
; key only when we left it empty.
!macro WithdrawFromType EXT
  DeleteRegValue HKCU "Software\Classes\${EXT}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Classes\${EXT}\OpenWithProgids"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Classes\${EXT}"
!macroend

!macro AssociationsChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)' ; SHCNE_ASSOCCHANGED
!macroend

; Files of a running Flimmer cannot be replaced or deleted; a half-done job would be worse
; than none, so wait for the user or, when silent, stop with exit code 2.
!macro RefuseWhileRunning UN
  Function ${UN}RefuseWhileRunning
    retry:
      FindWindow $0 "Flimmer"
      ${If} $0 <> 0
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Flimmer is running. Close it, then press Retry." \
          /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Quit
      ${EndIf}
  FunctionEnd
!macroend
!insertmacro RefuseWhileRunning ""
!insertmacro RefuseWhileRunning "un."

; An earlier installation removes its own files first, so that none of them is left behind
; when the new one is uninstalled. The settings stay: its uninstaller runs silently.
Function RemovePrevious
  ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 != ""
  ${AndIf} ${FileExists} "$R0\${UNINSTALLER}"
    ExecWait '"$R0\${UNINSTALLER}" /S _?=$R0'
    Delete "$R0\${UNINSTALLER}"
    RMDir "$R0"
  ${EndIf}
FunctionEnd

Section "Flimmer" SecProgram
  SectionIn RO
  Call RemovePrevious

  !include "${LISTS}/install.nsh"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The shortcut starts the program in its own folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\flimmer.exe"

  WriteRegStr HKCU "${APP_KEY}" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr HKCU "${APP_KEY}\shell\open\command" "" '"$INSTDIR\flimmer.exe" "%1"'
  WriteRegStr HKCU "${PROGID_KEY}" "" "${PRODUCT} picture"
  WriteRegStr HKCU "${PROGID_KEY}\DefaultIcon" "" "$INSTDIR\flimmer.exe,0"
  WriteRegStr HKCU "${PROGID_KEY}\shell\open\command" "" '"$INSTDIR\flimmer.exe" "%1"'
  !insertmacro ForEachPictureType OfferForType
  !insertmacro AssociationsChanged

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\flimmer.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Desktop shortcut" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\flimmer.exe"
SectionEnd

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/DESKTOP" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}
  Call RefuseWhileRunning
FunctionEnd

Function un.onInit
  Call un.RefuseWhileRunning
FunctionEnd

Section "Uninstall"
  !include "${LISTS}/uninstall.nsh"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${SHORTCUT}"
  Delete "$DESKTOP\${SHORTCUT}"

  DeleteRegKey HKCU "${APP_KEY}"
  DeleteRegKey HKCU "${PROGID_KEY}"
  !insertmacro ForEachPictureType WithdrawFromType
  !insertmacro AssociationsChanged
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The settings are the user's: asked about, kept by default and when silent.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Remove your Flimmer settings too?$\r$\n$\r$\nKeep them if you may install Flimmer again." \
    /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\${COMPANY}"
  keep_settings:
SectionEnd
