// On emulated Windows versions the launch starts the assistant only for "runas" on XP.
#include "wine_process.h"
#include "narrow.h"

#include <gtest/gtest.h>

namespace {

TEST(AssistantLaunchUnderWine, StartsOnlyForRunasOnXP)
{
    struct Row {
        const wchar_t* version;
        const wchar_t* expected;  // per launch: not administrator, administrator; then both with forceOpen
    };
    const Row rows[] = {
        {L"winxp64", L" +assistant+runas +open +open +open"},
        {L"win2003", L" +runas +open +open +open"},
        {L"win10", L" +runas +open +open +open"},
        {L"nt40", L"  +open +open +open"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << narrow(row.version));
        EmulatedVersion emulated(L"assistant_probe.exe", row.version);
        ProcessResult result = runProcess(L"\"" + testProgramDirectory() + L"assistant_probe.exe\"");
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.output, row.expected);
    }
}

}  // namespace
