// Feeds arbitrary UTF-16 lines to the command-line analysis and checks what the rules promise for
// every line, not only that nothing crashes: a violation aborts, and libFuzzer keeps the input.
#include "launcher/command_line.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

// Built with -fshort-wchar, so wchar_t is an unsigned 16-bit unit as on Windows and the analysis
// sees the input bytes as the very line Windows would hand over. Neither the analysis nor this
// file calls a C library wide-character function, which would still expect 32-bit units.
static_assert(sizeof(wchar_t) == 2, "build with -fshort-wchar");

namespace {

constexpr wchar_t blank = L' ';
constexpr wchar_t tab = L'\t';
constexpr wchar_t quote = L'"';

using Text = std::vector<wchar_t>;  // no terminating zero

void lowerCaseAscii(wchar_t* text)
{
    for (; *text; ++text)
        if (*text >= L'A' && *text <= L'Z') *text = wchar_t(*text - L'A' + L'a');
}

Text textOf(const wchar_t* text)
{
    const wchar_t* end = text;
    while (*end) ++end;
    return Text(text, end);
}

bool contains(const Text& text, wchar_t c)
{
    return std::find(text.begin(), text.end(), c) != text.end();
}

bool isSubstring(const Text& part, const Text& whole)
{
    return part.empty() || std::search(whole.begin(), whole.end(), part.begin(), part.end()) != whole.end();
}

bool isSuffix(const Text& part, const Text& whole)
{
    return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.end() - part.size());
}

size_t skipBlanks(const Text& text, size_t at)
{
    while (at < text.size() && text[at] == blank) ++at;
    return at;
}

// The words between runs of blanks; tabs belong to the words.
std::vector<Text> splitAtBlanks(Text::const_iterator begin, Text::const_iterator end)
{
    std::vector<Text> words;
    for (auto p = begin; p != end;) {
        if (*p == blank) {
            ++p;
            continue;
        }
        auto wordEnd = std::find(p, end, blank);
        words.emplace_back(p, wordEnd);
        p = wordEnd;
    }
    return words;
}

bool isSwitchWord(const Text& word)
{
    Text lower = word;
    lower.push_back(0);
    lowerCaseAscii(lower.data());
    lower.pop_back();
    return lower == textOf(L"/s") || lower == textOf(L"/shift");
}

const Text* failingLine;  // the line under test, shown when a property does not hold

void require(bool holds, const char* property)
{
    if (holds) return;
    std::fprintf(stderr, "Property violated: %s\nLine (UTF-16 units):", property);
    for (wchar_t c : *failingLine) std::fprintf(stderr, " %04x", unsigned(c));
    std::fprintf(stderr, "\n");
    std::abort();
}

// Where the only quotes, if any, are the two that enclose the program's own path at the start
// of the line, both readings are plain splits and the whole request follows from them: the
// parameter reading splits at blanks only, the tail reading at blanks and tabs alike.
void checkAgainstPlainSplits(const Text& original, const Text& spaced, const LaunchRequest& request)
{
    std::vector<Text> words;
    size_t tailFrom;  // where the tail reading starts, just after the program's own path
    size_t quotes = std::count(original.begin(), original.end(), quote);
    if (quotes == 0) {
        words = splitAtBlanks(original.begin(), original.end());
        size_t firstBlank = std::find(spaced.begin(), spaced.end(), blank) - spaced.begin();
        tailFrom = firstBlank == spaced.size() ? 0 : firstBlank + 1;
    } else if (quotes == 2 && original[0] == quote) {
        auto closing = std::find(original.begin() + 1, original.end(), quote);
        words.emplace_back(original.begin() + 1, closing);
        for (Text& word : splitAtBlanks(closing + 1, original.end())) words.push_back(word);
        tailFrom = closing - original.begin() + 1;
    } else {
        return;
    }

    int parameterCount = int(words.size()) - 1;
    bool switchGiven = words.size() >= 2 && isSwitchWord(words[1]);
    require(request.parameterCount == parameterCount, "plain split: parameterCount");
    require(request.switchGiven == switchGiven, "plain split: switchGiven");
    if (parameterCount <= (switchGiven ? 1 : 0)) return;

    size_t at = skipBlanks(spaced, tailFrom);
    if (switchGiven) at = skipBlanks(spaced, std::min(at + words[1].size(), spaced.size()));
    size_t targetEnd = std::find(spaced.begin() + at, spaced.end(), blank) - spaced.begin();
    Text target(spaced.begin() + at, spaced.begin() + targetEnd);
    Text arguments;
    if (targetEnd < spaced.size()) arguments.assign(spaced.begin() + skipBlanks(spaced, targetEnd + 1), spaced.end());
    require(textOf(request.target) == target, "plain split: target");
    require(textOf(request.arguments) == arguments, "plain split: arguments");
}

void checkRequest(const Text& original, const wchar_t* line, const LaunchRequest& request)
{
    Text spaced = original;
    std::replace(spaced.begin(), spaced.end(), tab, blank);
    bool allBlanks = std::all_of(original.begin(), original.end(), [](wchar_t c) { return c == blank; });

    require(request.parameterCount >= -1, "parameterCount is at least -1");
    require((request.parameterCount == -1) == allBlanks, "parameterCount is -1 exactly for a line of blanks");
    require(!request.switchGiven || request.parameterCount >= 1, "the switch is a parameter");
    require(request.target && request.arguments, "target and arguments are texts");

    Text target = textOf(request.target);
    Text arguments = textOf(request.arguments);
    bool named = request.parameterCount > (request.switchGiven ? 1 : 0);
    require(named || (target.empty() && arguments.empty()), "no target named: target and arguments are empty");
    require(!contains(target, tab) && !contains(arguments, tab), "target and arguments hold no tab");
    require(arguments.empty() || arguments[0] != blank, "arguments do not begin with a blank");
    require(isSubstring(target, spaced), "target is part of the line, tabs as blanks");
    require(isSuffix(arguments, spaced), "arguments run to the end of the line, tabs as blanks");

    // The line is rewritten only as documented: tabs become blanks, and a zero ends the target.
    for (size_t i = 0; i < original.size(); ++i) {
        bool same = line[i] == original[i] || (original[i] == tab && line[i] == blank);
        bool targetEnd = line[i] == 0 && line + i == request.target + target.size();
        require(same || targetEnd, "the line changes only by tabs turned into blanks and the target's end");
    }
    require(line[original.size()] == 0, "the line keeps its terminating zero");

    checkAgainstPlainSplits(original, spaced, request);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Two bytes make one UTF-16 unit, low byte first; the line ends at the first zero unit.
    Text original;
    for (size_t i = 0; i + 1 < size; i += 2) {
        wchar_t unit = wchar_t(data[i] | data[i + 1] << 8);
        if (!unit) break;
        original.push_back(unit);
    }
    failingLine = &original;
    // Exactly as long as the line, so that reading past its zero is caught.
    std::unique_ptr<wchar_t[]> line(new wchar_t[original.size() + 1]);
    std::copy(original.begin(), original.end(), line.get());
    line[original.size()] = 0;

    LaunchRequest request = analyseCommandLine(line.get(), lowerCaseAscii);
    checkRequest(original, line.get(), request);
    return 0;
}
