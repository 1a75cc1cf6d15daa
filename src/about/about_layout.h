#pragma once

// The about window's layout. Values are given at 96 DPI and scaled by the screen's logical DPI,
// rounded down, x and widths by the horizontal DPI, y and heights by the vertical one.

// The controls' identifiers, which are also their order of creation and of Tab.
enum AboutControl : int {
    copyrightLabel = 0,
    webLink = 1,
    usageLabel = 2,
    okButton = 3,
};
constexpr int aboutControlCount = 4;

struct LayoutRect {
    int x, y, width, height;
};

struct AboutLayout {
    int clientWidth, clientHeight;
    LayoutRect controls[aboutControlCount];  // by identifier
};

inline constexpr int referenceDpi = 96;
inline constexpr AboutLayout aboutLayoutAt96 = {
    280, 140, {{15, 15, 250, 20}, {15, 35, 125, 20}, {15, 65, 250, 20}, {100, 100, 80, 25}}};

// floor(value × dpi / 96), with the factor taken as a double as Windows programs usually do.
int scaleToDpi(int value, int dpi);

AboutLayout scaledAboutLayout(int dpiX, int dpiY);

// The height of a 9-point font: -MulDiv(9, dpiY, 72), which rounds to the nearest integer.
int controlFontHeight(int dpiY);

// Where a window of this size starts so that it is centred on the screen; a window larger than
// the screen starts at 0 rather than off the screen.
int centredOrigin(int windowSize, int screenSize);
