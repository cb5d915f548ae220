; Velory's setup program: per user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Velory. Made by installer/CMakeLists.txt:
;   makensis -INPUTCHARSET UTF8 -DVERSION=3.5.0 -DPRODUCT=.. -DPUBLISHER=.. -DCOPYRIGHT=..
;            -DSTAGE=<player.exe, config\, 背景\> -DICON=player.ico -DOUTFILE=setup.exe velory.nsi
; Switches: /S silent, /D=folder (last), /DESKTOP a desktop shortcut too, /MUSIC=folder-or-address
; where the music is (a silent install without it leaves the player to ask at its first start).
; The uninstaller: /S silent, /REMOVEDATA also the settings and pictures.
Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
; A program file that cannot be written stops the setup, silent or not, rather than being skipped.
AllowSkipFiles off

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh
!include WinMessages.nsh
!include nsDialogs.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "Software\${PRODUCT}"
!define PLAYER_CLASS "PlayerWindow"
!define SHORTCUT "${PRODUCT}.lnk"
; The data folders the setup made itself (installer section).
!define CREATED_LIST "uninstall.ini"

; Where the music is, as the setup was told or the user chose; empty for nothing written.
Var MusicSource
Var MusicField

; The setup program names the version that player.exe carries.
!getdllversion "${STAGE}/player.exe" PLAYER_
!if "${PLAYER_1}.${PLAYER_2}.${PLAYER_3}" != "${VERSION}"
  !error "player.exe carries ${PLAYER_1}.${PLAYER_2}.${PLAYER_3}, the build says ${VERSION}"
!endif

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${SETTINGS_KEY}" "InstallDir"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
Page custom MusicPageShow MusicPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\player.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the fallback for other system languages.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString SecProgramName ${LANG_ENGLISH} "${PRODUCT} (required)"
LangString SecProgramName ${LANG_SIMPCHINESE} "${PRODUCT}（必需）"
LangString SecDesktopName ${LANG_ENGLISH} "Desktop shortcut"
LangString SecDesktopName ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString SecUserDataName ${LANG_ENGLISH} "Also remove my settings and pictures"
LangString SecUserDataName ${LANG_SIMPCHINESE} "同时删除我的设置和背景图片"
; Written only under English: the Chinese default is the shipped title.txt.
LangString DefaultTitle ${LANG_ENGLISH} "Velory Music Player"
LangString DefaultTitle ${LANG_SIMPCHINESE} "Velory Music Player"
LangString ShortcutComment ${LANG_ENGLISH} "Play songs from the online catalogue"
LangString ShortcutComment ${LANG_SIMPCHINESE} "播放在线曲库的歌曲"
LangString PlayerRunning ${LANG_ENGLISH} "${PRODUCT} is running and has to close first; your settings and pictures are kept.$\r$\n$\r$\nClick OK to close it now, or Cancel to stop."
LangString PlayerRunning ${LANG_SIMPCHINESE} "${PRODUCT} 正在运行，需要先关闭它；您的设置和背景图片会保留。$\r$\n$\r$\n点击“确定”立即关闭它，点击“取消”停止。"
LangString PlayerStillRunning ${LANG_ENGLISH} "${PRODUCT} did not close. Close it yourself (the menu of its notification-area icon, 退出), then click Retry."
LangString PlayerStillRunning ${LANG_SIMPCHINESE} "${PRODUCT} 没有关闭。请您自己关闭它（通知区域图标的菜单，退出），然后点击“重试”。"

LangString MusicTitle ${LANG_ENGLISH} "Your music"
LangString MusicTitle ${LANG_SIMPCHINESE} "你的音乐"
LangString MusicSubtitle ${LANG_ENGLISH} "Where should ${PRODUCT} find songs?"
LangString MusicSubtitle ${LANG_SIMPCHINESE} "${PRODUCT} 到哪里找歌曲？"
LangString MusicText ${LANG_ENGLISH} "A folder of your music files, or the address of a music catalogue on your network (http://…/). Leave it empty to choose later from the player's notification-area menu."
LangString MusicText ${LANG_SIMPCHINESE} "你的音乐文件所在的文件夹，或网络中音乐目录网站的地址（http://…/）。留空则以后在播放器通知区域图标的菜单中选择。"
LangString MusicBrowse ${LANG_ENGLISH} "Browse…"
LangString MusicBrowse ${LANG_SIMPCHINESE} "浏览…"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}"

; A player that runs from the install folder: its program file cannot be replaced or removed.
; PlayerRunning sets $0 to such a player's window (or 0) and $1 to 1 while player.exe is held open.
; A player is told by the identity of its program file (volume and file index), not by the
; spelling of its path, which short names, case and links can vary.
!macro PLAYER_FUNCTIONS un
; FileIdentity: pops a path, pushes "volume:high:low", or "" when the file cannot be opened.
Function ${un}FileIdentity
  Exch $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  StrCpy $R5 ""
  ; No access asked and every share allowed: a running program's file opens too.
  System::Call 'kernel32::CreateFileW(w R0, i 0, i 7, p 0, i 3, i 0x02000000, p 0) p.R1'
  ${If} $R1 P<> -1
    System::Alloc 52
    Pop $R2
    System::Call 'kernel32::GetFileInformationByHandle(p R1, p R2) i.R3'
    ${If} $R3 <> 0
      System::Call '*$R2(i, i, i, i, i, i, i, i .R3, i, i, i, i .R4, i .R0)'
      StrCpy $R5 "$R3:$R4:$R0"
    ${EndIf}
    System::Free $R2
    System::Call 'kernel32::CloseHandle(p R1)'
  ${EndIf}
  StrCpy $R0 $R5
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

Function ${un}PlayerRunning
  StrCpy $0 0
  StrCpy $1 0
  ${If} ${FileExists} "$INSTDIR\player.exe"
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\player.exe", i 0x40000000, i 0, p 0, i 3, i 0x80, p 0) p.r2'
    ${If} $2 = -1
      StrCpy $1 1
    ${Else}
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
  ${EndIf}
  Push "$INSTDIR\player.exe"
  Call ${un}FileIdentity
  Pop $8
  ${If} $8 == ""
    Return
  ${EndIf}
  StrCpy $3 0
  ${Do}
    FindWindow $3 "${PLAYER_CLASS}" "" 0 $3
    ${If} $3 = 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r3, *i .r4)'
    System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r4) p.r5'
    ${If} $5 P<> 0
      System::Call 'kernel32::QueryFullProcessImageNameW(p r5, i 0, w .r6, *i ${NSIS_MAX_STRLEN})'
      System::Call 'kernel32::CloseHandle(p r5)'
      Push $6
      Call ${un}FileIdentity
      Pop $6
      ${If} $6 == $8
        StrCpy $0 $3
        ${Break}
      ${EndIf}
    ${EndIf}
  ${Loop}
FunctionEnd

; Asks a running player to close (the user first, unless silent) and waits up to ten seconds for
; it to go; stops the setup or the uninstaller when it stays.
Function ${un}ClosePlayer
  Call ${un}PlayerRunning
  ${If} $0 = 0
  ${AndIf} $1 = 0
    Return
  ${EndIf}
  MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "$(PlayerRunning)" /SD IDOK IDOK close
  Abort
close:
  StrCpy $7 0
  ${Do}
    ${If} $0 <> 0
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    ${EndIf}
    Sleep 250
    Call ${un}PlayerRunning
    ${If} $0 = 0
    ${AndIf} $1 = 0
      Return
    ${EndIf}
    IntOp $7 $7 + 1
  ${LoopUntil} $7 >= 40
  MessageBox MB_RETRYCANCEL|MB_ICONSTOP "$(PlayerStillRunning)" /SD IDCANCEL IDRETRY close
  Abort
FunctionEnd
!macroend
!insertmacro PLAYER_FUNCTIONS ""
!insertmacro PLAYER_FUNCTIONS "un."

Section "$(SecProgramName)" SecProgram
  SectionIn RO
  Call ClosePlayer
  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "${STAGE}/player.exe"
  ; The default data files go only where the user has none: an update keeps their settings and
  ; pictures, and brings back a default file they deleted.
  SetOverwrite off
  ; The data folders this setup makes are listed for the uninstaller, which removes no other: a
  ; folder that was there before (the user's own config\ in the folder they chose) is theirs.
  ${IfNot} ${FileExists} "$INSTDIR\config\*.*"
    WriteINIStr "$INSTDIR\${CREATED_LIST}" "Created" "config" "1"
  ${EndIf}
  ${IfNot} ${FileExists} "$INSTDIR\背景\*.*"
    WriteINIStr "$INSTDIR\${CREATED_LIST}" "Created" "pictures" "1"
  ${EndIf}
  SetOutPath "$INSTDIR\config"
  ; A new install's caption speaks the installer's language; an update keeps the user's.
  StrCpy $0 0
  IfFileExists "$INSTDIR\config\title.txt" +2
  StrCpy $0 1
  File "${STAGE}/config/*.*"
  ; The music setting, like the other data files, only where the user has none.
  ${IfNot} ${FileExists} "$INSTDIR\config\source.txt"
  ${AndIf} $MusicSource != ""
    Call WriteMusicSetting
  ${EndIf}
  ${If} $0 == 1
  ${AndIf} $LANGUAGE == ${LANG_ENGLISH}
    ; ASCII, so the same bytes in GBK, the data files' code page.
    FileOpen $1 "$INSTDIR\config\title.txt" w
    FileWrite $1 "$(DefaultTitle)"
    FileClose $1
  ${EndIf}
  SetOutPath "$INSTDIR\背景"
  File "${STAGE}/背景/*.*"
  SetOverwrite on
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\player.exe" "" "$INSTDIR\player.exe" 0 \
    SW_SHOWNORMAL "" "$(ShortcutComment)"
SectionEnd

; config\source.txt: $MusicSource as one line of UTF-8, the file the player reads it from.
Function WriteMusicSetting
  FileOpen $3 "$INSTDIR\config\source.txt" w
  StrCpy $R9 $MusicSource
  System::Call 'kernel32::WideCharToMultiByte(i 65001, i 0, w R9, i -1, p 0, i 0, p 0, p 0) i.r4'
  System::Alloc $4
  Pop $5
  System::Call 'kernel32::WideCharToMultiByte(i 65001, i 0, w R9, i -1, p r5, i r4, p 0, p 0)'
  IntOp $4 $4 - 1  ; without the closing zero
  System::Call 'kernel32::WriteFile(p r3, p r5, i r4, *i .r6, p 0)'
  System::Free $5
  FileWrite $3 "$\r$\n"
  FileClose $3
FunctionEnd

; Asked only where no setting is kept: an update keeps the user's.
Function MusicPageShow
  ${If} ${FileExists} "$INSTDIR\config\source.txt"
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "$(MusicTitle)" "$(MusicSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 36u "$(MusicText)"
  Pop $0
  ${NSD_CreateText} 0 42u 76% 13u "$MusicSource"
  Pop $MusicField
  ${NSD_CreateBrowseButton} 78% 41u 22% 15u "$(MusicBrowse)"
  Pop $0
  ${NSD_OnClick} $0 MusicBrowse
  nsDialogs::Show
FunctionEnd

Function MusicBrowse
  ${NSD_GetText} $MusicField $1
  nsDialogs::SelectFolderDialog "$(MusicSubtitle)" "$1"
  Pop $1
  ${If} $1 != error
    ${NSD_SetText} $MusicField $1
  ${EndIf}
FunctionEnd

Function MusicPageLeave
  ${NSD_GetText} $MusicField $MusicSource
FunctionEnd

Section /o "$(SecDesktopName)" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\player.exe" "" "$INSTDIR\player.exe" 0 \
    SW_SHOWNORMAL "" "$(ShortcutComment)"
SectionEnd

Section "-Uninstall entry"
  WriteRegStr HKCU "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\player.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function .onInit
  SetShellVarContext current
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DESKTOP" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}
  ; The user's Music folder is offered first; a silent install writes only what it is given.
  StrCpy $MusicSource "$MUSIC"
  ${If} ${Silent}
    StrCpy $MusicSource ""
  ${EndIf}
  Push $0
  Call MusicOption
  Pop $1
  ${If} $1 != "-"
    StrCpy $MusicSource $1
  ${EndIf}
FunctionEnd

; MusicOption: pops the command line's parameters, pushes what follows /MUSIC= ("-" when it is not
; there). GetOptions would cut an address at its first "/": the value runs to its closing quote,
; or else to the next quote or " /".
Function MusicOption
  Exch $R0
  Push $R1
  Push $R2
  Push $R3
  StrCpy $R1 0
  ${Do}
    StrCpy $R2 $R0 7 $R1
    ${If} $R2 == ""
      StrCpy $R0 "-"
      Goto done
    ${EndIf}
    ${If} $R2 == "/MUSIC="
      ${Break}
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}
  IntOp $R1 $R1 + 7
  StrCpy $R0 $R0 "" $R1
  StrCpy $R3 ""
  StrCpy $R2 $R0 1
  ${If} $R2 == '"'
    StrCpy $R0 $R0 "" 1
    StrCpy $R3 '"'
  ${EndIf}
  StrCpy $R1 0
  ${Do}
    StrCpy $R2 $R0 1 $R1
    ${If} $R2 == ""
    ${OrIf} $R2 == '"'
      ${Break}
    ${EndIf}
    ${If} $R3 == ""
      StrCpy $R2 $R0 2 $R1
      ${If} $R2 == " /"
        ${Break}
      ${EndIf}
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}
  StrCpy $R0 $R0 $R1
done:
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

Section "un.$(SecProgramName)" UnSecProgram
  SectionIn RO
  Call un.ClosePlayer
  Delete "$INSTDIR\player.exe"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${SHORTCUT}"
  Delete "$DESKTOP\${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

Section /o "un.$(SecUserDataName)" UnSecUserData
  ReadINIStr $0 "$INSTDIR\${CREATED_LIST}" "Created" "config"
  ${If} $0 == "1"
    RMDir /r "$INSTDIR\config"
  ${EndIf}
  ReadINIStr $0 "$INSTDIR\${CREATED_LIST}" "Created" "pictures"
  ${If} $0 == "1"
    RMDir /r "$INSTDIR\背景"
  ${EndIf}
SectionEnd

; Only when nothing is left in it: the user's data stays unless they asked otherwise. The list
; of made folders stays while one of them does, so a later removal still knows them.
Section "-un.Folder"
  ${IfNot} ${FileExists} "$INSTDIR\config\*.*"
  ${AndIfNot} ${FileExists} "$INSTDIR\背景\*.*"
    Delete "$INSTDIR\${CREATED_LIST}"
  ${EndIf}
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  SetShellVarContext current
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecUserData}
  ${EndIf}
FunctionEnd
