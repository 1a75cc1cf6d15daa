// The language follows the user locale Wine starts with (LC_ALL, set per test by ctest):
// from Vista on through the locale name, before Vista through the language id.
#include "launcher/texts.h"
#include "wine_process.h"
#include "narrow.h"

#include <gtest/gtest.h>

namespace {

std::wstring expectedLocaleCode, expectedLangIDCode, expectedUsage;

std::wstring widen(const char* text)
{
    return std::wstring(text, text + strlen(text));
}

struct Row {
    const wchar_t* version;
    const std::wstring* code;
};

TEST(LanguageUnderWine, FollowsTheUserLocale)
{
    const Row rows[] = {{L"win10", &expectedLocaleCode}, {L"vista", &expectedLocaleCode},
                        {L"winxp64", &expectedLangIDCode}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << narrow(row.version));
        EmulatedVersion emulated(L"language_probe.exe", row.version);
        ProcessResult result = runProcess(L"\"" + testProgramDirectory() + L"language_probe.exe\"");
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.output, *row.code + L'\x1F' + expectedUsage);
    }
}

}  // namespace

// Arguments: the code from the locale name, the code from the language id (- for none), and
// German or English.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 4) {
        fprintf(stderr, "usage: language_wine_test <locale code> <language id code|-> <German|English>\n");
        return 2;
    }
    expectedLocaleCode = widen(argv[1]);
    expectedLangIDCode = strcmp(argv[2], "-") == 0 ? L"" : widen(argv[2]);
    expectedUsage = messageTableFromBlock(strcmp(argv[3], "German") == 0 ? germanMessages : englishMessages).usageText;
    return RUN_ALL_TESTS();
}
