#include "ui/qt/Contrast.h"

#include <algorithm>
#include <cmath>

namespace ui::qt {

namespace {

double channel(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

double luminance(const QColor& c) {
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// `c` mixed with black (t < 0) or white (t > 0) by |t|.
QColor shifted(const QColor& c, double t) {
    const double target = t < 0 ? 0.0 : 1.0, k = std::abs(t);
    auto mix = [&](double v) { return v + (target - v) * k; };
    return QColor::fromRgbF(float(mix(c.redF())), float(mix(c.greenF())), float(mix(c.blueF())));
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& background, std::optional<QColor> wanted) {
    const QColor black(Qt::black), white(Qt::white);
    const bool darkInk = contrastRatio(background, black) >= contrastRatio(background, white);
    if (!wanted) return darkInk ? black : white;
    if (contrastRatio(background, *wanted) >= kReadableContrast) return *wanted;
    // Towards black on a light background, towards white on a dark one; the
    // smallest step that reaches the ratio keeps the colour recognisable.
    const double direction = darkInk ? -1.0 : 1.0;
    double low = 0.0, high = 1.0;
    for (int i = 0; i < 20; ++i) {
        const double mid = (low + high) / 2;
        // A little above the ratio, so that rounding to 8-bit channels keeps it.
        (contrastRatio(background, shifted(*wanted, direction * mid)) >= kReadableContrast + 0.05 ? high : low) = mid;
    }
    return shifted(*wanted, direction * high).toRgb();
}

}  // namespace ui::qt
