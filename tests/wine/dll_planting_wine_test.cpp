// A launcher started from a Downloads folder must not load a DLL planted beside it. Wine prefers
// its built-in DLLs, so WINEDLLOVERRIDES=winmm=n,b (set by ctest: Wine reads it from the Unix
// environment, not from a parent's Windows environment) makes it search like Windows does for a
// DLL that is not a KnownDLL: the program's folder first.
#include "desktop.h"
#include "wine_process.h"

#include <gtest/gtest.h>

namespace {

class PlantedFolder : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = testProgramDirectory() + L"downloads";
        marker_ = testProgramDirectory() + L"planted-dll-was-loaded";
        CreateDirectoryW(folder_.c_str(), nullptr);
        for (const wchar_t* name : {L"Tarvisk64.exe", L"static_winmm_probe.exe", L"delay_probe.exe", L"launch_probe.exe"})
            ASSERT_TRUE(CopyFileW((testProgramDirectory() + name).c_str(), (folder_ + L"\\" + name).c_str(), FALSE));
        ASSERT_TRUE(CopyFileW((testProgramDirectory() + L"planted\\winmm.dll").c_str(),
                              (folder_ + L"\\winmm.dll").c_str(), FALSE));
        SetEnvironmentVariableW(L"TARVISK_PLANTED_MARKER", marker_.c_str());
        SetEnvironmentVariableW(L"TARVISK_PROBE_RECORD", (folder_ + L"\\record.txt").c_str());
        DeleteFileW(marker_.c_str());
    }
    bool plantedWasLoaded() const { return GetFileAttributesW(marker_.c_str()) != INVALID_FILE_ATTRIBUTES; }

    // Runs a program from the folder, in the folder.
    ProcessResult run(const std::wstring& program, const std::wstring& arguments = L"")
    {
        return runProcess(L"\"" + folder_ + L"\\" + program + L"\"" + arguments, 30000, folder_.c_str());
    }

    std::wstring folder_, marker_;
};

TEST_F(PlantedFolder, AnOrdinaryImportLoadsThePlantedDll)
{
    ProcessResult result = run(L"static_winmm_probe.exe");
    ASSERT_TRUE(result.finished);
    EXPECT_TRUE(plantedWasLoaded()) << "the planted DLL must be found the ordinary way, or nothing is shown";
}

TEST_F(PlantedFolder, TheAssistantsDelayLoadsWinmmFromTheSystemDirectory)
{
    ProcessResult result = run(L"delay_probe.exe");
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_FALSE(plantedWasLoaded());
}

TEST_F(PlantedFolder, LaunchAndFailurePathsLoadNothingFromTheFolder)
{
    ProcessResult launched = run(L"Tarvisk64.exe", L" launch_probe.exe -x");
    ASSERT_TRUE(launched.finished);
    EXPECT_EQ(launched.exitCode, 0u);
    EXPECT_FALSE(plantedWasLoaded());

    StartedProcess failing = startProcess(L"\"" + folder_ + L"\\Tarvisk64.exe\" missing.exe", folder_.c_str());
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = FindWindowW(L"#32770", L"Tarvisk 1.11 (x64)")) != nullptr; }, 20000));
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ProcessResult failed = finishProcess(failing, 20000);
    EXPECT_EQ(failed.exitCode, 2u);
    EXPECT_FALSE(plantedWasLoaded());
}

TEST_F(PlantedFolder, AboutPathLoadsNothingFromTheFolder)
{
    StartedProcess about = startProcess(L"\"" + folder_ + L"\\Tarvisk64.exe\"", folder_.c_str());
    HWND window = waitForWindow(L"Tarvisk 1.11 (x64)", 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitUntil([&] { return GetDlgItem(window, 3) != nullptr; }, 20000));
    SendMessageW(GetDlgItem(window, 3), BM_CLICK, 0, 0);
    ProcessResult result = finishProcess(about, 20000);
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_FALSE(plantedWasLoaded());
}

}  // namespace
