; The per-machine installer of QN520 Remote Control, built by installer/CMakeLists.txt:
;   makensis -DARCH=x64|x86 -DVERSION=3.0.1.0 -DPROGRAM=<qn520remote.exe>
;            -DSTARTER=<start-as-user.exe> -DICON=<remote.ico> -DOUTFILE=<setup.exe> qn520remote.nsi
; x64 installs the 64-bit program and writes the 64-bit registry view, which the 64-bit program
; reads; x86 installs the 32-bit program for 32-bit Windows. Silent with /S, install and uninstall
; alike; neither ever waits on a prompt then.

!ifndef ARCH | VERSION | PROGRAM | STARTER | ICON | OUTFILE
    !error "ARCH, VERSION, PROGRAM, STARTER, ICON and OUTFILE must be defined"
!endif

!if ${ARCH} == x64
    Target amd64-unicode
    !define PROGRAM_FILES "$PROGRAMFILES64"
!else if ${ARCH} == x86
    Target x86-unicode
    !define PROGRAM_FILES "$PROGRAMFILES"
!else
    !error "ARCH must be x64 or x86"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "QN520 Remote Control"
; The maker as the program's version resource and About dialog name it.
!define PUBLISHER "Taviro Multimedia"
!define EXE "qn520remote.exe"
!define UNINSTALLER "uninstall.exe"
; The program's hidden window: its class and its title.
!define WINDOW_CLASS "QN520 Remote Control"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The program's settings key is shared with the other utilities of its family: only this
; program's two values are ours to remove.
!define SETTINGS_PARENT "SOFTWARE\Taviro Multimedia"
!define SETTINGS_KEY "${SETTINGS_PARENT}\QN52X Utilities"
; How long a running copy gets to end after WM_CLOSE; it takes well under a second.
!define CLOSE_TIMEOUT_MS 10000
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT}"
; The program's name and version where the installer builder's would be.
BrandingText "${PRODUCT} ${VERSION}"
; Sharp at any display scale, with the icon's image of that scale; on the Windows it names.
ManifestDPIAware true
ManifestSupportedOS all
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; "Run" starts the program as the user, as the restart after an upgrade does.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Run ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION startAsUser
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Whether the install closed a copy that was running: it is started again afterwards.
Var closedRunningCopy

; Starts the installed program for the user of this desktop, not elevated and not as a child of
; the elevated installer: the helper hands the command to that user's own shell. Where no such
; shell can be reached (a silent install run as another account) nothing starts, and the Run value
; starts the program at the next logon.
Function startAsUser
    FindWindow $0 "${WINDOW_CLASS}"
    ${If} $0 <> 0
        Return ; started already, by the restart after an upgrade
    ${EndIf}
    InitPluginsDir
    File "/oname=$PLUGINSDIR\start-as-user.exe" "${STARTER}"
    ExecWait '"$PLUGINSDIR\start-as-user.exe" "$INSTDIR\${EXE}"' $0
    ${If} $0 <> 0
        DetailPrint "${PRODUCT} starts at the next logon"
    ${EndIf}
FunctionEnd

; Ends a running copy of the program the way it expects to be asked, with WM_CLOSE to its window
; (it then removes its icon and ends with code 0), and waits, with a bound, until its process has
; gone and so no longer holds its .exe. When it will not end, an interactive run asks to retry;
; a silent one gives up at once with an error. `un` is "" or "un.": NSIS needs one copy of a
; function for each side.
!macro CLOSE_RUNNING_COPY un
Function ${un}closeRunningCopy
    Push $0
    Push $1
    Push $2
    ${Do}
        FindWindow $0 "${WINDOW_CLASS}"
        ${If} $0 = 0
            ${Break}
        ${EndIf}
        DetailPrint "Closing the running ${PRODUCT}"
        StrCpy $closedRunningCopy 1
        System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
        System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=${CLOSE_TIMEOUT_MS}
        ; $1 becomes 0 once it has ended: the wait's WAIT_OBJECT_0 or, without a handle on the
        ; process, no window of its class left.
        ${If} $2 P<> 0
            System::Call 'kernel32::WaitForSingleObject(p r2, i ${CLOSE_TIMEOUT_MS}) i .r1'
            System::Call 'kernel32::CloseHandle(p r2)'
        ${Else}
            FindWindow $1 "${WINDOW_CLASS}"
        ${EndIf}
        ${If} $1 <> 0
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
                "${PRODUCT} is still running. Exit it from its icon's menu, then choose Retry." \
                /SD IDCANCEL IDRETRY retry
            Abort "${PRODUCT} did not end; nothing was changed."
        retry:
        ${EndIf}
    ${Loop}
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

Function .onInit
    !if ${ARCH} == x64
        SetRegView 64
    !endif
    ; An upgrade goes where the installed copy is, unless /D= names another folder.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} $INSTDIR == "${PROGRAM_FILES}\${PRODUCT}"
        StrCpy $INSTDIR $0
    ${EndIf}
FunctionEnd

Section "Install"
    SetShellVarContext all
    Call closeRunningCopy

    SetOutPath "$INSTDIR"
    File "/oname=${EXE}" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; Started with Windows for every user; the path is quoted, as it may hold blanks.
    WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${EXE}"'
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0 ; in KiB

    ; The remote worked before the upgrade: it works after it, silent or not.
    ${If} $closedRunningCopy == 1
        Call startAsUser
    ${EndIf}
SectionEnd

Function un.onInit
    !if ${ARCH} == x64
        SetRegView 64
    !endif
FunctionEnd

Section "Uninstall"
    SetShellVarContext all
    Call un.closeRunningCopy

    Delete "$INSTDIR\${EXE}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ; The values the program creates at its first start; the keys only when nothing else is left
    ; in them.
    DeleteRegValue HKLM "${SETTINGS_KEY}" "DefaultTVAPP"
    DeleteRegValue HKLM "${SETTINGS_KEY}" "AlwaysRemoteOff"
    DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "${SETTINGS_PARENT}"
SectionEnd
