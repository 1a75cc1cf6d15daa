#include "launcher/launch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A recording fake of the calls a launch makes.
struct FakePlatform {
    WindowsGeneration generation = win10;
    bool administrator = false;
    LaunchResult shellAnswer = 42;
    int generationCalls = 0, administratorCalls = 0;
    std::vector<std::intptr_t> flagWhenThreadStarted, flagDuringShellCall;
    std::vector<std::wstring> shellCalls;  // verb|file|parameters|directory
};
FakePlatform fake;

WindowsGeneration fakeGeneration()
{
    ++fake.generationCalls;
    return fake.generation;
}
bool fakeAdministrator()
{
    ++fake.administratorCalls;
    return fake.administrator;
}
bool fakeStartAssistant()
{
    fake.flagWhenThreadStarted.push_back(launchInProgress.load());
    return true;
}
LaunchResult fakeShellExecute(const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                              const wchar_t* directory)
{
    fake.flagDuringShellCall.push_back(launchInProgress.load());
    fake.shellCalls.push_back(std::wstring(verb) + L"|" + file + L"|" + parameters + L"|" + directory);
    return fake.shellAnswer;
}

LaunchResult launch(int launchMode, const wchar_t* parameters = L"-x")
{
    return launchTargetWith({fakeGeneration, fakeAdministrator, fakeStartAssistant, fakeShellExecute}, launchMode,
                            L"app.exe", parameters, L".\\");
}

struct Row {
    const char* what;
    int launchMode;
    WindowsGeneration generation;
    bool administrator;
    const wchar_t* verb;  // nullptr: no shell call, the result is -1
    bool assistant;
    int administratorCalls;
};

const Row rows[] = {
    {"forceOpen on NT 4", forceOpen, nt4, false, L"open", false, 0},
    {"forceOpen on XP", forceOpen, winXP, false, L"open", false, 0},
    {"forceOpen with both bits", forceOpen | askForElevation, win10, false, L"open", false, 0},
    {"administrator on 10", askForElevation, win10, true, L"open", false, 1},
    {"administrator on XP", askForElevation, winXP, true, L"open", false, 1},
    {"administrator on NT 4", askForElevation, nt4, true, L"open", false, 1},
    {"NT 3 not administrator", askForElevation, nt3, false, nullptr, false, 1},
    {"NT 4 not administrator", askForElevation, nt4, false, nullptr, false, 1},
    {"2000 not administrator", askForElevation, win2000, false, L"runas", false, 1},
    {"XP not administrator", askForElevation, winXP, false, L"runas", true, 1},
    {"Server 2003 not administrator", askForElevation, server2003, false, L"runas", false, 1},
    {"Vista not administrator", askForElevation, vista, false, L"runas", false, 1},
    {"10 not administrator", askForElevation, win10, false, L"runas", false, 1},
    {"newer not administrator", askForElevation, newer, false, L"runas", false, 1},
    {"mode 0 is not forceOpen", 0, win10, false, L"runas", false, 1},
};

TEST(LaunchTarget, ChoosesVerbAssistantAndResult)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fake = FakePlatform{};
        fake.generation = row.generation;
        fake.administrator = row.administrator;
        LaunchResult result = launch(row.launchMode);
        EXPECT_EQ(fake.administratorCalls, row.administratorCalls);
        if (!row.verb) {
            EXPECT_EQ(result, -1);
            EXPECT_TRUE(fake.shellCalls.empty());
        } else {
            EXPECT_EQ(result, 42);
            ASSERT_EQ(fake.shellCalls.size(), 1u);
            EXPECT_EQ(fake.shellCalls[0], std::wstring(row.verb) + L"|app.exe|-x|.\\");
            EXPECT_EQ(fake.flagDuringShellCall[0], row.assistant ? 1 : 0);
        }
        EXPECT_EQ(fake.flagWhenThreadStarted, row.assistant ? std::vector<std::intptr_t>{1} : std::vector<std::intptr_t>{});
        EXPECT_EQ(launchInProgress.load(), 0);
    }
}

TEST(LaunchTarget, HandsBackTheShellAnswerUnchanged)
{
    for (LaunchResult answer : {LaunchResult(0), LaunchResult(2), LaunchResult(5), LaunchResult(31),
                                LaunchResult(33), LaunchResult(-7), LaunchResult(INTPTR_MAX)}) {
        SCOPED_TRACE(testing::Message() << "answer " << answer);
        fake = FakePlatform{};
        fake.shellAnswer = answer;
        EXPECT_EQ(launch(askForElevation), answer);
    }
}

TEST(LaunchTarget, EmptyArgumentsReachTheShellAsAnEmptyString)
{
    fake = FakePlatform{};
    launch(forceOpen, L"");
    ASSERT_EQ(fake.shellCalls.size(), 1u);
    EXPECT_EQ(fake.shellCalls[0], L"open|app.exe||.\\");
}

TEST(LaunchTarget, FlagIsClearedAfterAFailedRunasOnXP)
{
    fake = FakePlatform{};
    fake.generation = winXP;
    fake.shellAnswer = 5;
    EXPECT_EQ(launch(askForElevation), 5);
    EXPECT_EQ(fake.flagDuringShellCall, std::vector<std::intptr_t>{1});
    EXPECT_EQ(launchInProgress.load(), 0);
}

// Fakes for the administrator test.
WindowsGeneration administratorGeneration;
int serviceManagerCalls;
bool serviceManagerAnswer;
WindowsGeneration givenGeneration()
{
    return administratorGeneration;
}
bool fakeServiceManager()
{
    ++serviceManagerCalls;
    return serviceManagerAnswer;
}

TEST(UserIsAdministrator, NineXAlwaysElseTheServiceManager)
{
    struct AdminRow {
        WindowsGeneration generation;
        bool serviceManagerOpens;
        bool expected;
        int serviceManagerCalls;
    };
    const AdminRow adminRows[] = {
        {win95, false, true, 0}, {win98, false, true, 0}, {winME, false, true, 0},
        {nt3, false, false, 1},  {nt4, true, true, 1},    {winXP, false, false, 1},
        {win10, true, true, 1},  {newer, false, false, 1},
    };
    for (const AdminRow& row : adminRows) {
        SCOPED_TRACE(testing::Message() << "generation " << row.generation);
        administratorGeneration = row.generation;
        serviceManagerAnswer = row.serviceManagerOpens;
        serviceManagerCalls = 0;
        EXPECT_EQ(userIsAdministratorWith(givenGeneration, fakeServiceManager), row.expected);
        EXPECT_EQ(serviceManagerCalls, row.serviceManagerCalls);
    }
}

// Fake SHIFT key.
bool shiftHeld;
int shiftReads;
bool fakeShift()
{
    ++shiftReads;
    return shiftHeld;
}

TEST(ChooseLaunchMode, ShiftIsReadOnlyWithTheSwitch)
{
    struct ModeRow {
        bool switchGiven, shift;
        int expected, reads;
    };
    const ModeRow modeRows[] = {
        {true, false, forceOpen, 1}, {true, true, askForElevation, 1},
        {false, true, askForElevation, 0}, {false, false, askForElevation, 0},
    };
    for (const ModeRow& row : modeRows) {
        SCOPED_TRACE(testing::Message() << "switch " << row.switchGiven << " shift " << row.shift);
        shiftHeld = row.shift;
        shiftReads = 0;
        EXPECT_EQ(chooseLaunchMode(row.switchGiven, fakeShift), row.expected);
        EXPECT_EQ(shiftReads, row.reads);
    }
}

// The mode chosen from the switch and SHIFT reaches the launch: "open" without SHIFT, "runas" with it.
TEST(ChooseLaunchMode, ReachesTheLaunch)
{
    for (bool held : {false, true}) {
        SCOPED_TRACE(testing::Message() << "shift " << held);
        shiftHeld = held;
        fake = FakePlatform{};
        launch(chooseLaunchMode(true, fakeShift));
        ASSERT_EQ(fake.shellCalls.size(), 1u);
        EXPECT_EQ(fake.shellCalls[0], std::wstring(held ? L"runas" : L"open") + L"|app.exe|-x|.\\");
        EXPECT_EQ(fake.administratorCalls, held ? 1 : 0);
    }
}

}  // namespace
