// The about window as the program builds it, at each screen DPI and on each side of the font
// choice. A process reads its DPI when it starts, so each row runs the probe afresh; the probe
// reads the window in-process, as Wine does not pass WM_GETFONT between processes.
#include "about/about_layout.h"
#include "about/about_texts.h"
#include "launcher/texts.h"
#include "wine_process.h"
#include "narrow.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::wstring>;

// The probe's report: one line per fact, fields separated by U+001F, the fact's name first.
std::vector<Fields> parseReport(const std::wstring& output)
{
    std::vector<Fields> lines;
    std::wistringstream stream(output);
    std::wstring line;
    while (std::getline(stream, line)) {
        Fields fields;
        std::wistringstream lineStream(line);
        std::wstring value;
        while (std::getline(lineStream, value, L'\x1F')) fields.push_back(value);
        lines.push_back(fields);
    }
    return lines;
}

std::vector<Fields> linesNamed(const std::vector<Fields>& report, const wchar_t* name)
{
    std::vector<Fields> found;
    for (const Fields& fields : report)
        if (!fields.empty() && fields[0] == name) found.push_back(fields);
    return found;
}

long long number(const Fields& fields, size_t index)
{
    return index < fields.size() ? std::stoll(fields[index]) : -1;
}

std::wstring text(const Fields& fields, size_t index)
{
    return index < fields.size() ? fields[index] : L"(missing)";
}

struct Row {
    const wchar_t* version;  // Wine's name for the emulated Windows version
    DWORD dpi;
    bool segoeUi;  // false: DEFAULT_GUI_FONT
};

struct ExpectedControl {
    const wchar_t* className;
    LONG style;
    const wchar_t* text;
};

TEST(AboutWindowUnderWine, LayoutTextsAndFontAtEachDpi)
{
    const Row rows[] = {
        {L"win10", 96, true}, {L"win10", 120, true}, {L"win10", 144, true},
        {L"win10", 192, true}, {L"win81", 96, true}, {L"win7", 96, false},
    };
    const std::wstring usage = messageTableFromBlock(englishMessages).usageText;
    const ExpectedControl controls[aboutControlCount] = {
        {L"Static", 0x50020080, copyrightNotice},
        {L"Static", 0x50000000, webPageAddress},
        {L"Static", 0x50020080, usage.c_str()},
        {L"Button", 0x50030001, L"OK"},
    };
    const std::wstring probe = L"\"" + testProgramDirectory() + L"about_probe.exe\" layout \"" + usage + L"\"";

    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << narrow(row.version) << " at " << row.dpi << " DPI");
        RegistryValueGuard dpi(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", row.dpi);
        EmulatedVersion version(L"about_probe.exe", row.version);
        ProcessResult result = runProcess(probe, 30000);
        ASSERT_TRUE(result.finished);
        ASSERT_EQ(result.exitCode, 0u) << narrow(result.output);
        std::vector<Fields> report = parseReport(result.output);

        // The probe really ran at the row's DPI, or nothing below would mean anything.
        ASSERT_EQ(linesNamed(report, L"dpi").size(), 1u);
        Fields reportedDpi = linesNamed(report, L"dpi")[0];
        ASSERT_EQ(number(reportedDpi, 1), row.dpi);
        ASSERT_EQ(number(reportedDpi, 2), row.dpi);
        AboutLayout expected = scaledAboutLayout(row.dpi, row.dpi);

        Fields client = linesNamed(report, L"client").at(0);
        EXPECT_EQ(number(client, 1), expected.clientWidth);
        EXPECT_EQ(number(client, 2), expected.clientHeight);

        // A caption, a system menu, a fixed frame; Windows adds WS_CLIPSIBLINGS and
        // WS_EX_WINDOWEDGE to every overlapped window with a caption.
        Fields window = linesNamed(report, L"window").at(0);
        EXPECT_EQ(number(window, 1), WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPSIBLINGS);
        EXPECT_EQ(number(window, 2), WS_EX_WINDOWEDGE);
        EXPECT_EQ(number(window, 7), 1) << "visible";
        EXPECT_EQ(number(window, 8), 0) << "has a parent";
        EXPECT_EQ(text(window, 9), programTitle);

        // Centred on the primary screen.
        Fields screen = linesNamed(report, L"screen").at(0);
        long long screenWidth = number(screen, 1), screenHeight = number(screen, 2);
        long long width = number(window, 5), height = number(window, 6);
        EXPECT_EQ(number(window, 3), (screenWidth - std::min(width, screenWidth)) / 2);
        EXPECT_EQ(number(window, 4), (screenHeight - std::min(height, screenHeight)) / 2);

        std::vector<Fields> children = linesNamed(report, L"control");
        ASSERT_EQ(children.size(), size_t(aboutControlCount));
        for (int id = 0; id < aboutControlCount; ++id) {
            SCOPED_TRACE(testing::Message() << "control " << id);
            const Fields& got = children[id];
            const LayoutRect& rect = expected.controls[id];
            EXPECT_EQ(number(got, 1), id);
            EXPECT_EQ(text(got, 2), controls[id].className);
            EXPECT_EQ(number(got, 3), controls[id].style);
            EXPECT_EQ(number(got, 4), 0) << "extended style";
            EXPECT_EQ(number(got, 5), rect.x);
            EXPECT_EQ(number(got, 6), rect.y);
            EXPECT_EQ(number(got, 7), rect.width);
            EXPECT_EQ(number(got, 8), rect.height);
            EXPECT_EQ(text(got, 17), controls[id].text);

            EXPECT_EQ(number(got, 9), number(children[0], 9)) << "one font for all controls";
            EXPECT_EQ(number(got, 10), row.segoeUi ? 0 : 1) << "DEFAULT_GUI_FONT";
            if (row.segoeUi) {
                EXPECT_EQ(number(got, 11), -MulDiv(9, row.dpi, 72)) << "height";
                EXPECT_EQ(number(got, 12), FW_NORMAL) << "weight";
                EXPECT_EQ(number(got, 13), PROOF_QUALITY) << "quality";
                EXPECT_EQ(number(got, 14), 0) << "italic, underlined or struck out";
                EXPECT_EQ(text(got, 15), L"Segoe UI");
            }
        }
        // Our own texts stay on one line.
        EXPECT_LE(number(children.at(copyrightLabel), 16), expected.controls[copyrightLabel].width);
        EXPECT_LE(number(children.at(webLink), 16), expected.controls[webLink].width);
    }
}

}  // namespace
