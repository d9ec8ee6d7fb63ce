#include "ui/qt/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include "ui/qt/Twips.h"

namespace ui::qt {

namespace {

QString firstInstalled(const QStringList& candidates) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& c : candidates)
        if (installed.contains(c, Qt::CaseInsensitive)) return c;
    return {};
}

}  // namespace

QString resolveFamily(const QString& requested) {
    if (!firstInstalled({requested}).isEmpty()) return requested;
    if (ui::isFixedPitchFamily(requested.toStdString())) {
        QString mono = firstInstalled({"Liberation Mono", "DejaVu Sans Mono", "Cousine"});
        return mono.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family() : mono;
    }
    if (requested.compare("Arial", Qt::CaseInsensitive) == 0) {
        QString sans = firstInstalled({"Liberation Sans", "Arimo"});
        if (!sans.isEmpty()) return sans;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont toQFont(const ui::Font& font) {
    const QString requested = QString::fromStdString(font.family);
    QFont f(resolveFamily(requested));
    f.setPixelSize(fontPixels(font.points));
    f.setBold(font.bold);
    if (ui::isFixedPitchFamily(requested.toStdString())) {
        f.setStyleHint(QFont::Monospace);
        f.setFixedPitch(true);
    } else {
        f.setStyleHint(QFont::SansSerif);
    }
    return f;
}

}  // namespace ui::qt
