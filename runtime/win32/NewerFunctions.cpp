#include "NewerFunctions.h"

namespace rt
{

namespace
{

bool lookupsFail = false;

// The function NAME of a DLL, or null where the system lacks either. A DLL
// that is not loaded yet is loaded from the system folder only.
template <class Function> void lookUp(Function*& function, const wchar_t* dll, const char* name)
{
    if (lookupsFail)
        return;
    HMODULE module = GetModuleHandleW(dll);
    if (!module)
        module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module)
        function = reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

const NewerFunctions& NewerFunctions::get()
{
    static const NewerFunctions functions = [] {
        NewerFunctions f;
        lookUp(f.getDpiForWindow, L"user32.dll", "GetDpiForWindow");
        lookUp(f.adjustWindowRectExForDpi, L"user32.dll", "AdjustWindowRectExForDpi");
        lookUp(f.getSystemMetricsForDpi, L"user32.dll", "GetSystemMetricsForDpi");
        lookUp(f.systemParametersInfoForDpi, L"user32.dll", "SystemParametersInfoForDpi");
        lookUp(f.getDpiForMonitor, L"shcore.dll", "GetDpiForMonitor");
        lookUp(f.getSystemTimePreciseAsFileTime, L"kernel32.dll", "GetSystemTimePreciseAsFileTime");
        return f;
    }();
    return functions;
}

void NewerFunctions::failLookups()
{
    lookupsFail = true;
}

} // namespace rt
