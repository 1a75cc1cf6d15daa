// windowsGeneration on each Windows version that Wine emulates. Runs in a prefix of its own,
// since some rows change machine-wide registry values.
#include "platform/windows_generation.h"
#include "wine_process.h"
#include "narrow.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const wchar_t currentVersionKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion";
const wchar_t productOptionsKey[] = L"System\\CurrentControlSet\\Control\\ProductOptions";

struct Row {
    const wchar_t* version;  // Wine's name for the emulated version
    WindowsGeneration expected;
    const wchar_t* reportedByGetVersionEx;
};

// Wine 8.0's own table gives "win7" a server product type and "win2008r2" a workstation one, so
// those two are emulated the other way Wine offers: no Version value, and the version numbers
// and product type in the machine's registry, as Windows itself keeps them.
struct RegistryRow {
    const wchar_t* name;
    DWORD major, minor;
    const wchar_t* productType;
    WindowsGeneration expected;
};

WindowsGeneration runProbe(const wchar_t* expectedGetVersionEx)
{
    ProcessResult result = runProcess(L"\"" + testProgramDirectory() + L"generation_probe.exe\"");
    EXPECT_TRUE(result.finished);
    if (expectedGetVersionEx) EXPECT_EQ(result.output, expectedGetVersionEx);
    return WindowsGeneration(result.exitCode);
}

TEST(WindowsGenerationUnderWine, EmulatedVersions)
{
    const Row rows[] = {
        {L"winxp64", winXP, L"5.2"},      {L"win2003", server2003, L"5.2"}, {L"vista", vista, L"6.0"},
        {L"win2008", server2008, L"6.0"}, {L"win8", win8, L"6.2"},
        // Without a supported-OS list GetVersionExW stops at 6.2; the answer must not.
        {L"win81", win81, L"6.2"},        {L"win10", win10, L"6.2"},
        {L"nt40", nt4, L"4.0"},           {L"win2k", win2000, L"5.0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << narrow(row.version));
        EmulatedVersion emulated(L"generation_probe.exe", row.version);
        EXPECT_EQ(runProbe(row.reportedByGetVersionEx), row.expected);
    }
}

TEST(WindowsGenerationUnderWine, VersionsFromTheRegistry)
{
    const RegistryRow rows[] = {
        {L"win7", 6, 1, L"WinNT", win7},
        {L"win2008r2", 6, 1, L"ServerNT", server2008R2},
        {L"win2012", 6, 2, L"ServerNT", server2012},
        {L"win2012r2 domain controller", 6, 3, L"LanmanNT", server2012R2},
    };
    RegistryValueGuard noProgramVersion(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\generation_probe.exe",
                                        L"Version");
    RegistryValueGuard noDefaultVersion(HKEY_CURRENT_USER, L"Software\\Wine", L"Version");
    for (const RegistryRow& row : rows) {
        SCOPED_TRACE(testing::Message() << narrow(row.name));
        // Windows 10 keeps the numbers as DWORDs, older releases as the text "major.minor".
        RegistryValueGuard major(HKEY_LOCAL_MACHINE, currentVersionKey, L"CurrentMajorVersionNumber", row.major);
        RegistryValueGuard minor(HKEY_LOCAL_MACHINE, currentVersionKey, L"CurrentMinorVersionNumber", row.minor);
        RegistryValueGuard text(HKEY_LOCAL_MACHINE, currentVersionKey, L"CurrentVersion",
                                std::to_wstring(row.major) + L"." + std::to_wstring(row.minor));
        RegistryValueGuard product(HKEY_LOCAL_MACHINE, productOptionsKey, L"ProductType", row.productType);
        EXPECT_EQ(runProbe(nullptr), row.expected);
    }
}

}  // namespace
