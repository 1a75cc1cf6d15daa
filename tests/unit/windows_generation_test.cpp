#include "platform/windows_generation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr unsigned char server = 3;
constexpr unsigned char domainController = 2;

struct NtRow {
    unsigned long major, minor;
    unsigned char productType;
    WindowsGeneration expected;
};

const NtRow ntRows[] = {
    {3, 10, productWorkstation, nt3}, {3, 51, server, nt3},
    {4, 0, productWorkstation, nt4}, {4, 0, server, nt4}, {4, 90, server, nt4},
    {5, 0, productWorkstation, win2000}, {5, 0, server, win2000},
    {5, 1, productWorkstation, winXP}, {5, 1, server, winXP},
    {5, 2, productWorkstation, winXP}, {5, 2, server, server2003}, {5, 2, domainController, server2003},
    {5, 3, productWorkstation, newer},
    {6, 0, productWorkstation, vista}, {6, 0, server, server2008},
    {6, 1, productWorkstation, win7}, {6, 1, server, server2008R2}, {6, 1, domainController, server2008R2},
    {6, 2, productWorkstation, win8}, {6, 2, server, server2012},
    {6, 3, productWorkstation, win81}, {6, 3, server, server2012R2},
    {6, 4, productWorkstation, newer},
    {10, 0, productWorkstation, win10}, {10, 0, server, win10},
    {10, 1, productWorkstation, newer}, {11, 0, productWorkstation, newer},
    {0, 0, 0, newer}, {2, 0, productWorkstation, newer},
};

TEST(GenerationOfNt, EveryVersionAndProductType)
{
    for (const NtRow& row : ntRows) {
        SCOPED_TRACE(std::to_string(row.major) + "." + std::to_string(row.minor) + " type " +
                     std::to_string(row.productType));
        EXPECT_EQ(generationOfNt(row.major, row.minor, row.productType == productWorkstation), row.expected);
    }
}

TEST(GenerationOf9x, MinorVersionAlone)
{
    const std::pair<unsigned long, WindowsGeneration> rows[] = {
        {0, win95}, {10, win98}, {90, winME}, {3, newer}, {1, newer}, {100, newer}};
    for (auto [minor, expected] : rows) {
        SCOPED_TRACE("minor " + std::to_string(minor));
        EXPECT_EQ(generationOf9x(minor), expected);
    }
}

TEST(WindowsGenerationCodes, RiseFromOlderToNewer)
{
    const WindowsGeneration order[] = {nt3, win95, nt4, win98, winME, win2000, winXP, server2003, vista,
                                       server2008, win7, server2008R2, win8, server2012, win81, server2012R2,
                                       win10, newer};
    for (size_t i = 1; i < std::size(order); ++i) EXPECT_LT(order[i - 1], order[i]);
    EXPECT_EQ(newer, 200);
    EXPECT_EQ(win10, 110);
    EXPECT_EQ(nt3, 5);
}

// Recording fakes for the three queries.
struct FakeAnswers {
    bool basicOk, rtlOk, extendedOk;
    VersionReport basic, rtl, extended;
    std::string calls;
};
FakeAnswers fake;

bool fakeBasic(VersionReport& report)
{
    fake.calls += "basic ";
    if (fake.basicOk) report = fake.basic;
    return fake.basicOk;
}
bool fakeRtl(VersionReport& report)
{
    fake.calls += "rtl ";
    if (fake.rtlOk) report = fake.rtl;
    return fake.rtlOk;
}
bool fakeExtended(VersionReport& report)
{
    fake.calls += "extended ";
    if (fake.extendedOk) report = fake.extended;
    return fake.extendedOk;
}

struct QueryRow {
    const char* what;
    FakeAnswers answers;
    WindowsGeneration expected;
    const char* calls;
};

const VersionReport ntBasic{6, 2, platformNt, 0};
const VersionReport win10Rtl{10, 0, platformNt, productWorkstation};
const VersionReport win81Rtl{6, 3, platformNt, productWorkstation};
const VersionReport win81Extended{6, 2, platformNt, productWorkstation};

const QueryRow queryRows[] = {
    {"first query fails", {false, true, true, {}, win10Rtl, win81Extended}, newer, "basic "},
    {"8.1 and 10 report 6.2 to GetVersionExW; RtlGetVersion tells the truth",
     {true, true, true, ntBasic, win81Rtl, win81Extended}, win81, "basic rtl "},
    {"10 as RtlGetVersion reports it", {true, true, true, ntBasic, win10Rtl, win81Extended}, win10, "basic rtl "},
    {"RtlGetVersion missing or failing: extended query", {true, false, true, ntBasic, {}, win81Extended}, win8,
     "basic rtl extended "},
    {"extended query gives the product type",
     {true, false, true, ntBasic, {}, {5, 2, platformNt, server}}, server2003, "basic rtl extended "},
    {"both NT queries fail", {true, false, false, ntBasic, {}, {}}, newer, "basic rtl extended "},
    {"9x minor 10", {true, true, true, {4, 10, platformWin9x, 0}, win10Rtl, win81Extended}, win98, "basic "},
    {"9x major not examined", {true, true, true, {7, 90, platformWin9x, 0}, {}, {}}, winME, "basic "},
    {"9x unknown minor", {true, true, true, {4, 3, platformWin9x, 0}, {}, {}}, newer, "basic "},
    {"Win32s platform", {true, true, true, {3, 10, 0, 0}, win10Rtl, win81Extended}, newer, "basic "},
    {"Windows CE platform", {true, true, true, {5, 0, 3, 0}, win10Rtl, win81Extended}, newer, "basic "},
};

TEST(ClassifyWindows, QueriesAndFallbacks)
{
    for (const QueryRow& row : queryRows) {
        SCOPED_TRACE(row.what);
        fake = row.answers;
        fake.calls.clear();
        EXPECT_EQ(classifyWindows({fakeBasic, fakeRtl, fakeExtended}), row.expected);
        EXPECT_EQ(fake.calls, row.calls);
    }
}

}  // namespace
