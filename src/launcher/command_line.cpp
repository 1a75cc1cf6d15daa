#include "command_line.h"

namespace {

constexpr wchar_t blank = L' ';
constexpr wchar_t tab = L'\t';
constexpr wchar_t quote = L'"';
constexpr wchar_t empty[] = L"";

// The longest switch is /shift; a first parameter longer than that is never the switch.
constexpr int longestSwitch = 6;

struct Token {
    const wchar_t* begin;  // as it stands on the line, quotes included
    const wchar_t* end;
};

// Both work on the read-only line of the parameter reading and on the tail that is rewritten.
template <typename Text>
Text* skipBlanks(Text* p)
{
    while (*p == blank) ++p;
    return p;
}

template <typename Text>
Text* findChar(Text* p, wchar_t c)
{
    while (*p && *p != c) ++p;
    return p;
}

// One token of the parameter reading, starting at a character that is not a blank.
Token readToken(const wchar_t* p)
{
    const wchar_t* begin = p;
    if (*p == quote) {
        p = findChar(p + 1, quote);
        return {begin, *p ? p + 1 : p};
    }
    while (*p && *p != blank) {
        if (*p == quote) {
            p = findChar(p + 1, quote);
            if (!*p) break;
        }
        ++p;
    }
    return {begin, p};
}

struct ParameterReading {
    int tokenCount;
    Token second;  // the first program parameter, when there is one
};

ParameterReading readParameters(const wchar_t* line)
{
    ParameterReading reading{0, {empty, empty}};
    for (const wchar_t* p = skipBlanks(line); *p; p = skipBlanks(p)) {
        Token token = readToken(p);
        if (++reading.tokenCount == 2) reading.second = token;
        p = token.end;
    }
    return reading;
}

// True when the token, its quotes deleted and lower-cased, is exactly /s or /shift.
bool isSwitch(Token token, LowerCaseFunction lowerCase)
{
    wchar_t text[longestSwitch + 1];
    int length = 0;
    for (const wchar_t* p = token.begin; p != token.end; ++p) {
        if (*p == quote) continue;
        if (length == longestSwitch) return false;
        text[length++] = *p;
    }
    text[length] = 0;
    lowerCase(text);
    auto equals = [&](const wchar_t* word) {
        int i = 0;
        while (word[i] && word[i] == text[i]) ++i;
        return word[i] == 0 && text[i] == 0;
    };
    return equals(L"/s") || equals(L"/shift");
}

// The line after the program's own path, tabs already turned into blanks, leading blanks removed.
wchar_t* commandTail(wchar_t* line)
{
    wchar_t* end = line[0] == quote ? findChar(line + 1, quote) : findChar(line, blank);
    return skipBlanks(*end ? end + 1 : line);
}

wchar_t* dropCharacters(wchar_t* text, long count)
{
    while (count-- > 0 && *text) ++text;
    return skipBlanks(text);
}

}  // namespace

LaunchRequest analyseCommandLine(wchar_t* line, LowerCaseFunction lowerCase)
{
    LaunchRequest request{false, -1, empty, empty};
    ParameterReading reading = readParameters(line);
    request.parameterCount = reading.tokenCount - 1;
    if (request.parameterCount <= 0) return request;
    request.switchGiven = isSwitch(reading.second, lowerCase);
    if (!targetIsNamed(request)) return request;

    for (wchar_t* p = line; *p; ++p)
        if (*p == tab) *p = blank;
    wchar_t* tail = commandTail(line);
    // The switch is cut as it stands on the line, quotes included, so "/s" leaves no quote behind.
    if (request.switchGiven) tail = dropCharacters(tail, reading.second.end - reading.second.begin);

    if (*tail == quote) {
        wchar_t* closing = findChar(tail + 1, quote);
        request.target = tail + 1;
        // Without a closing quote the whole rest names the target, so a failure shows what was tried.
        if (!*closing) return request;
        *closing = 0;
        request.arguments = skipBlanks(closing + 1);
        return request;
    }
    request.target = tail;
    wchar_t* firstBlank = findChar(tail, blank);
    if (*firstBlank) {
        *firstBlank = 0;
        request.arguments = skipBlanks(firstBlank + 1);
    }
    return request;
}
