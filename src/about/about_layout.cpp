#include "about_layout.h"

#include <cmath>

int scaleToDpi(int value, int dpi)
{
    double scale = dpi / double(referenceDpi);
    return int(std::floor(value * scale));
}

AboutLayout scaledAboutLayout(int dpiX, int dpiY)
{
    AboutLayout layout{scaleToDpi(aboutLayoutAt96.clientWidth, dpiX),
                       scaleToDpi(aboutLayoutAt96.clientHeight, dpiY), {}};
    for (int id = 0; id < aboutControlCount; ++id) {
        const LayoutRect& at96 = aboutLayoutAt96.controls[id];
        layout.controls[id] = {scaleToDpi(at96.x, dpiX), scaleToDpi(at96.y, dpiY), scaleToDpi(at96.width, dpiX),
                               scaleToDpi(at96.height, dpiY)};
    }
    return layout;
}

int controlFontHeight(int dpiY)
{
    constexpr long long points = 9, pointsPerInch = 72;
    // MulDiv rounds halves away from zero; the product is never negative here.
    return -int((points * dpiY + pointsPerInch / 2) / pointsPerInch);
}

int centredOrigin(int windowSize, int screenSize)
{
    int size = windowSize < screenSize ? windowSize : screenSize;
    return (screenSize - size) / 2;
}
