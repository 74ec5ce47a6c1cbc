#include "app/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace readable {

namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(const QColor& background) {
    return ContrastRatio(Qt::white, background) > ContrastRatio(Qt::black, background);
}

QColor ReadableColour(const QColor& colour, const QColor& background, double minContrast) {
    if (!IsDark(background) || ContrastRatio(colour, background) >= minContrast)
        return colour;
    // Luminance grows with the lightness of a hue and saturation: find the least lightness that reads.
    const QColor hsl = colour.toHsl();
    const float hue = hsl.hslHueF();
    const float saturation = hsl.hslSaturationF();
    // Measured as drawn: in whole 8-bit channels.
    const auto at = [&](float lightness) {
        return QColor(QColor::fromHslF(hue, saturation, lightness).rgb());
    };
    float dark = hsl.lightnessF();
    float light = 1.0F;
    for (int step = 0; step < 16 && light - dark > 1.0F / 512; ++step) {
        const float middle = (dark + light) / 2;
        if (ContrastRatio(at(middle), background) >= minContrast)
            light = middle;
        else
            dark = middle;
    }
    return at(light);
}

} // namespace readable
