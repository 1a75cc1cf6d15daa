#include "windows_generation.h"

#include <windows.h>

namespace {

constexpr DWORD osVersionInfoSize = 276;    // sizeof(OSVERSIONINFOW)
constexpr DWORD osVersionInfoExSize = 284;  // sizeof(OSVERSIONINFOEXW)
static_assert(sizeof(OSVERSIONINFOW) == osVersionInfoSize);
static_assert(sizeof(OSVERSIONINFOEXW) == osVersionInfoExSize);

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);

void copyVersion(const OSVERSIONINFOEXW& info, VersionReport& report)
{
    report.major = info.dwMajorVersion;
    report.minor = info.dwMinorVersion;
    report.platformId = info.dwPlatformId;
    report.productType = info.wProductType;
}

bool queryBasicVersion(VersionReport& report)
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = osVersionInfoSize;
    if (!GetVersionExW(&info)) return false;
    report = VersionReport{info.dwMajorVersion, info.dwMinorVersion, info.dwPlatformId, 0};
    return true;
}

bool queryRtlVersion(VersionReport& report)
{
    // ntdll is in every process already: look it up, never load or release it.
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return false;
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (!rtlGetVersion) return false;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = osVersionInfoExSize;
    if (rtlGetVersion(&info) != 0) return false;
    copyVersion(info, report);
    return true;
}

bool queryExtendedVersion(VersionReport& report)
{
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = osVersionInfoExSize;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return false;
    copyVersion(info, report);
    return true;
}

}  // namespace

WindowsGeneration windowsGeneration()
{
    return classifyWindows({queryBasicVersion, queryRtlVersion, queryExtendedVersion});
}
