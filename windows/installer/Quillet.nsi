; Quillet-Setup.exe: installs the add-in for the current user, without administrator
; rights. Built by scripts/build-installer.sh, which passes the folders of the two
; Windows sets (/DWIN64=... /DWIN32=...), the settings files (/DSETTINGS=...) and the
; output file (/DOUTFILE=...).
;
;   Quillet-Setup.exe            the wizard
;   Quillet-Setup.exe /S         silent, for administrators' scripts
;   Quillet-Setup.exe /BITS=64   the DLLs of that bitness whatever Outlook's seems to be
;
; It copies the DLLs of Outlook's bitness to the user's programs folder, registers them
; for the user (their classes under HKEY_CURRENT_USER\Software\Classes, the add-in key
; under HKEY_CURRENT_USER\Software\Microsoft\Office\Outlook\Addins), creates the shared
; settings folder with the hint and work-unit files where they are missing, and leaves
; an uninstaller that takes every key and file of its own away again.
; A 64-bit installer: it installs the 32-bit DLLs as well as the 64-bit ones (for a
; 32-bit Outlook on 64-bit Windows, the common case), each registered by a helper of
; their own bitness, so each lands in the registry view its Outlook reads.
Target amd64-unicode
!include LogicLib.nsh
!include FileFunc.nsh

Name "Quillet"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Quillet"
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Var Bits

; Outlook's bitness: the Bitness value that Outlook 2010 and later write, or the
; platform of a Click-to-Run Office; any older Outlook is 32-bit.
Function OutlookBitness
    StrCpy $Bits 32
    SetRegView 64
    ReadRegStr $0 HKLM "Software\Microsoft\Office\ClickToRun\Configuration" "Platform"
    ${If} $0 == "x64"
        StrCpy $Bits 64
    ${EndIf}
    ${For} $1 14 16
        ReadRegStr $0 HKLM "Software\Microsoft\Office\$1.0\Outlook" "Bitness"
        ${If} $0 == "x64"
            StrCpy $Bits 64
        ${EndIf}
    ${Next}
    SetRegView lastused
FunctionEnd

Function .onInit
    Call OutlookBitness
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/BITS=" $1
    ${IfNot} ${Errors}
        StrCpy $Bits $1
    ${EndIf}
    ${If} $Bits != 64
    ${AndIf} $Bits != 32
        MessageBox MB_ICONSTOP "/BITS= takes 32 or 64." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
FunctionEnd

; The size of a file in bytes into $0 (-1 when it cannot be opened).
!macro FileSize file
    StrCpy $0 -1
    ClearErrors
    FileOpen $9 "${file}" r
    ${IfNot} ${Errors}
        FileSeek $9 0 END $0
        FileClose $9
    ${EndIf}
!macroend

; The program files of an installation, taken away again.
!macro RemoveProgramFiles
    Delete "$INSTDIR\Quillet09.dll"
    Delete "$INSTDIR\UtilOrvek2.dll"
    Delete "$INSTDIR\Quillet09.tlb"
    Delete "$INSTDIR\UtilOrvek2.tlb"
    Delete "$INSTDIR\quillet-register.exe"
    Delete "$INSTDIR\Uninstall.exe"
    SetOutPath "$TEMP"  ; a folder in use as the current one cannot be removed
    RMDir "$INSTDIR"
!macroend

; Registers (or, with /u as the first argument, unregisters) one DLL for this user.
!macro Register options dll
    ExecWait '"$INSTDIR\quillet-register.exe" ${options} "$INSTDIR\${dll}"' $0
    ${If} $0 != 0
        DetailPrint "quillet-register ${options} ${dll}: $0"
        SetErrors
    ${EndIf}
!macroend

Section "Quillet"
    SetOutPath "$INSTDIR"
    ${If} $Bits == 64
        File "${WIN64}\Quillet09.dll"
        File "${WIN64}\UtilOrvek2.dll"
        File "${WIN64}\Quillet09.tlb"
        File "${WIN64}\UtilOrvek2.tlb"
        File "${WIN64}\quillet-register.exe"
    ${Else}
        File "${WIN32}\Quillet09.dll"
        File "${WIN32}\UtilOrvek2.dll"
        File "${WIN32}\Quillet09.tlb"
        File "${WIN32}\UtilOrvek2.tlb"
        File "${WIN32}\quillet-register.exe"
    ${EndIf}
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ; The utility library first: the add-in creates its classes when it starts.
    ClearErrors
    !insertmacro Register "" "UtilOrvek2.dll"
    !insertmacro Register "" "Quillet09.dll"
    ${If} ${Errors}
        MessageBox MB_ICONSTOP "Quillet could not be registered for Outlook; see the details." /SD IDOK
        !insertmacro Register "/u" "Quillet09.dll"
        !insertmacro Register "/u" "UtilOrvek2.dll"
        !insertmacro RemoveProgramFiles
        SetErrorLevel 3
        Abort
    ${EndIf}

    ; The shared settings folder (Common AppData\Quillet): the hint and work-unit files,
    ; where nobody made them yet. Files a person or an administrator changed stay.
    SetShellVarContext all
    CreateDirectory "$APPDATA\Quillet"
    SetOutPath "$APPDATA\Quillet"
    ${IfNot} ${FileExists} "$APPDATA\Quillet\Quillet.cnt"
        File "${SETTINGS}\Quillet.cnt"
        WriteRegDWORD HKCU "${UNINSTALL_KEY}" "InstalledHintFile" 1
    ${EndIf}
    ${IfNot} ${FileExists} "$APPDATA\Quillet\WorkUnitType.cnt"
        File "${SETTINGS}\WorkUnitType.cnt"
        !insertmacro FileSize "$APPDATA\Quillet\WorkUnitType.cnt"
        WriteRegDWORD HKCU "${UNINSTALL_KEY}" "InstalledWorkUnitFile" $0
    ${EndIf}
    SetShellVarContext current
    SetOutPath "$INSTDIR"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quillet for Outlook"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Orvek"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    ; The add-in first, then the library it uses; each takes its own keys away.
    !insertmacro Register "/u" "Quillet09.dll"
    !insertmacro Register "/u" "UtilOrvek2.dll"
    !insertmacro RemoveProgramFiles

    ; The settings files this installation made. The settings a person saved
    ; (Quillet.ini), the database, and a work-unit file that has grown since (the setup
    ; form adds the words people type) are theirs and stay.
    SetShellVarContext all
    ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "InstalledHintFile"
    ${If} $0 == 1
        Delete "$APPDATA\Quillet\Quillet.cnt"
    ${EndIf}
    ReadRegDWORD $1 HKCU "${UNINSTALL_KEY}" "InstalledWorkUnitFile"
    !insertmacro FileSize "$APPDATA\Quillet\WorkUnitType.cnt"
    ${If} $1 != ""
    ${AndIf} $0 == $1
        Delete "$APPDATA\Quillet\WorkUnitType.cnt"
    ${EndIf}
    RMDir "$APPDATA\Quillet"
    SetShellVarContext current
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; The programs list of this user, when ours was the only entry and made it.
    DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
SectionEnd
