"""Usage: check_imports.py OBJDUMP PROGRAM...

Every function that each Windows program imports (read with MinGW-w64's
objdump -p) must be one that Windows 7 SP1 exports, or Windows refuses to
load the program with "entry point not found". WINDOWS_7 lists the
functions that the program, its installer and its uninstaller import, by
DLL, each one whose Requirements on learn.microsoft.com name Windows 7 or
earlier as the minimum supported client (the C runtime's, the functions of
the msvcrt.dll that Windows 7 ships); a function the programs begin to
import must be checked there before it joins the list. Functions of later
Windows (GetDpiForWindow, GetSystemTimePreciseAsFileTime) are looked up at
run time instead, and are not in it. As a second look, every function listed
but the C runtime's must be declared by MinGW-w64's headers at the Windows 7
level (_WIN32_WINNT 0x0601), which leave out most later ones (not all: they
declare GetSystemTimePreciseAsFileTime there too).
"""
import os
import re
import subprocess
import sys

COMPILER = "x86_64-w64-mingw32-gcc"
HEADERS = "windows.h commctrl.h ole2.h oleacc.h shellapi.h shlobj.h wincrypt.h"

WINDOWS_7 = {
    "kernel32.dll": """AddVectoredExceptionHandler CloseHandle CompareFileTime CopyFileW CreateDirectoryW
        CreateEventA CreateFileW CreateProcessW CreateSemaphoreA CreateThread DeleteCriticalSection DeleteFileW
        DuplicateHandle EnterCriticalSection ExitProcess ExpandEnvironmentStringsW FileTimeToSystemTime FindClose
        FindFirstFileW FindNextFileW FormatMessageA FreeLibrary GetCommandLineW GetCurrentProcess
        GetCurrentProcessId GetCurrentThread GetCurrentThreadId GetDiskFreeSpaceExW GetExitCodeProcess
        GetFileAttributesW GetFileSize GetFullPathNameW GetHandleInformation GetLastError GetModuleFileNameW
        GetModuleHandleA GetModuleHandleW GetPrivateProfileStringW GetProcAddress GetProcessAffinityMask
        GetProcessTimes GetShortPathNameW GetStartupInfoA GetSystemDirectoryW GetSystemTimeAdjustment
        GetSystemTimeAsFileTime GetTempFileNameW GetTempPathW GetThreadContext GetThreadPriority GetThreadTimes
        GetTickCount GetTickCount64 GetUserDefaultUILanguage GetVersionExW GetWindowsDirectoryW GlobalAlloc
        GlobalFree GlobalLock GlobalUnlock InitializeCriticalSection IsDBCSLeadByteEx IsDebuggerPresent
        LeaveCriticalSection LoadLibraryExW LoadLibraryW LocalFree MoveFileExW MoveFileW MulDiv MultiByteToWideChar
        OpenProcess OutputDebugStringA QueryPerformanceCounter QueryPerformanceFrequency RaiseException ReadFile
        ReleaseSemaphore RemoveDirectoryW RemoveVectoredExceptionHandler ResetEvent ResumeThread RtlCaptureContext
        RtlLookupFunctionEntry RtlUnwindEx RtlVirtualUnwind SearchPathW SetCurrentDirectoryW SetEnvironmentVariableW
        SetErrorMode SetEvent SetFileAttributesW SetFilePointer SetFileTime SetLastError SetProcessAffinityMask
        SetSystemTime SetThreadContext SetThreadPriority SetUnhandledExceptionFilter Sleep SuspendThread TlsAlloc
        TlsGetValue TlsSetValue TryEnterCriticalSection VirtualProtect VirtualQuery WaitForMultipleObjects
        WaitForSingleObject WideCharToMultiByte WriteFile WritePrivateProfileStringW __C_specific_handler lstrcatW
        lstrcmpW lstrcmpiA lstrcmpiW lstrcpynW lstrlenA lstrlenW""",
    "user32.dll": """AdjustWindowRectEx AppendMenuW BeginPaint CallWindowProcW CharNextA CharNextW CharPrevW
        CheckDlgButton CloseClipboard CreateDialogParamW CreatePopupMenu CreateWindowExW DefWindowProcW DestroyIcon
        DestroyWindow DialogBoxParamW DispatchMessageW DrawTextW EmptyClipboard EnableMenuItem EnableWindow
        EndDialog EndPaint ExitWindowsEx FillRect FindWindowExW GetActiveWindow GetClassInfoW GetClientRect GetDC
        GetDlgItem GetDlgItemTextW GetFocus GetMessagePos GetMessageW GetSysColor GetSysColorBrush GetSystemMenu
        GetSystemMetrics GetWindowLongPtrW GetWindowRect InvalidateRect IsDialogMessageW IsRectEmpty IsWindow
        IsWindowEnabled IsWindowVisible LoadCursorW LoadImageW MapWindowPoints MessageBoxIndirectW MessageBoxW
        MonitorFromWindow NotifyWinEvent OpenClipboard PeekMessageW PostQuitMessage PtInRect RegisterClassExW
        RegisterClassW ReleaseDC ScreenToClient SendMessageTimeoutW SendMessageW SetClassLongPtrW SetClipboardData
        SetCursor SetDlgItemTextW SetFocus SetForegroundWindow SetTimer SetWindowLongPtrW SetWindowPos
        SetWindowTextW ShowWindow SystemParametersInfoW TrackPopupMenu TranslateMessage UpdateWindow wsprintfW""",
    "gdi32.dll": """BitBlt CreateBrushIndirect CreateCompatibleDC CreateDIBSection CreateFontIndirectW DeleteDC
        DeleteObject GetDeviceCaps GetStockObject SelectObject SetBkColor SetBkMode SetDCBrushColor SetTextColor""",
    # The Crypt functions seed the stack protector's guard (libssp).
    "advapi32.dll": """AdjustTokenPrivileges CryptAcquireContextA CryptGenRandom CryptReleaseContext
        LookupPrivilegeValueW OpenProcessToken RegCloseKey RegCreateKeyExW RegDeleteKeyExW RegDeleteValueW
        RegEnumKeyW RegEnumValueW RegOpenKeyExW RegQueryValueExW RegSetValueExW""",
    "shell32.dll": """SHBrowseForFolderW SHCLSIDFromString SHFileOperationW SHGetFileInfoW SHGetPathFromIDListW
        SHGetSpecialFolderLocation ShellExecuteExW""",
    "comctl32.dll": "ImageList_AddMasked ImageList_Create ImageList_Destroy InitCommonControls InitCommonControlsEx",
    "ole32.dll": "CoCreateInstance CoInitializeEx CoTaskMemFree OleInitialize OleUninitialize",
    "oleaut32.dll": "SysAllocString VariantInit",
    "oleacc.dll": "CreateStdAccessibleObject LresultFromObject",
    # Debian 13's MinGW-w64 runtime also takes _vscprintf, _vsnprintf,
    # getenv, strchr and strtoul from it.
    "msvcrt.dll": """___lc_codepage_func ___mb_cur_max_func __getmainargs __initenv __iob_func __set_app_type
        __setusermatherr _acmdln _amsg_exit _beginthreadex _cexit _close _commode _endthreadex _errno _exit _fmode
        _initterm _localtime64 _lock _onexit _open _read _setjmp _strdup _ultoa _unlock _vscprintf _vsnprintf _write
        abort calloc exit fflush fprintf fputc fputs fputwc free fwprintf fwrite getenv localeconv longjmp malloc
        memchr memcmp memcpy memmove memset printf realloc signal strchr strcmp strerror strlen strncmp strtoul
        vfprintf wcslen""",
}


def is_hex(word):
    return all(c in "0123456789abcdef" for c in word.lower())


def imports(objdump, program):
    """(DLL, FUNCTION) for each function that PROGRAM imports by name.

    A DLL's lines begin with the entry's address and end with the
    function's name: "43cc8  1194  CryptAcquireContextA" from the objdump
    of Debian 12 (binutils 2.40), "000466c8  <none>  00c1
    CryptAcquireContextA" from Debian 13's (2.44).
    """
    dll, found = None, []
    for line in subprocess.check_output([objdump, "-p", program], text=True).splitlines():
        words = line.split()
        if line.strip().startswith("DLL Name:"):
            dll = words[-1].lower()
        elif not words:
            dll = None
        elif dll and len(words) >= 3 and is_hex(words[0]) and not is_hex(words[-1]) and words[-1] != "<none>":
            found.append((dll, words[-1]))
    return found


def later_than_windows_7():
    """The functions listed that MinGW-w64's headers do not declare for Windows 7."""
    source = "".join("#include <%s>\n" % h for h in HEADERS.split()) + "void f(void) {\n" + "".join(
        "(void)&%s;\n" % name for dll, names in WINDOWS_7.items() if dll != "msvcrt.dll" for name in names.split())
    compiled = subprocess.run([COMPILER, "-x", "c", "-fsyntax-only", "-D_WIN32_WINNT=0x0601", "-DWINVER=0x0601",
                               "-", "-o", os.devnull], input=source + "}\n", capture_output=True, text=True,
                              env=dict(os.environ, LC_ALL="C"))
    if compiled.returncode and "undeclared" not in compiled.stderr:
        raise SystemExit("FAIL: %s cannot read the headers: %s" % (COMPILER, compiled.stderr.strip()))
    return sorted(set(re.findall(r"'(\w+)' undeclared", compiled.stderr)))


def main(objdump, programs):
    known = {dll: set(names.split()) for dll, names in WINDOWS_7.items()}
    missing = ["%s is listed, but MinGW-w64 declares it only for Windows after 7" % name
               for name in later_than_windows_7()]
    for program in programs:
        found = imports(objdump, program)
        if not found:
            missing.append("%s: no import table read" % program)
        missing += ["%s imports %s from %s, which Windows 7 SP1 lacks" % (program, name, dll)
                    for dll, name in found if name not in known.get(dll, ())]
        print("%s: %d functions, from %s" % (program, len(found), ", ".join(sorted({d for d, _ in found}))))
    if missing:
        print("FAIL: " + "\n".join(missing), file=sys.stderr)
        sys.exit(1)
    print("1 passed, 0 failed")


main(sys.argv[1], sys.argv[2:])
