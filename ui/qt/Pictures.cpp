#include "ui/qt/Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "ui/Pictures.h"

namespace ui::qt {

namespace {

// A blue tile with two linked screens: the program's icon.
void drawIcon(QPainter& p, QSize size) {
    const qreal w = size.width(), h = size.height();
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, QColor(40, 90, 200));
    fill.setColorAt(1, QColor(0, 0, 140));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), w / 6, h / 6);
    p.setPen(QPen(QColor(255, 255, 0), w / 16));
    p.drawLine(QPointF(w * 0.3, h * 0.55), QPointF(w * 0.7, h * 0.55));
    p.setPen(QPen(Qt::white, w / 20));
    p.setBrush(QColor(0, 0, 192));
    p.drawRect(QRectF(w * 0.12, h * 0.25, w * 0.3, h * 0.25));
    p.drawRect(QRectF(w * 0.58, h * 0.25, w * 0.3, h * 0.25));
    p.drawLine(QPointF(w * 0.27, h * 0.5), QPointF(w * 0.27, h * 0.75));
    p.drawLine(QPointF(w * 0.73, h * 0.5), QPointF(w * 0.73, h * 0.75));
}

// The maker's word mark.
void drawBanner(QPainter& p, QSize size) {
    QFont font("Liberation Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(size.height() - 6);
    p.setFont(font);
    p.setPen(QColor(0, 0, 140));
    p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, "VORLAN");
    p.setPen(QPen(QColor(255, 180, 0), 2));
    p.drawLine(4, size.height() - 2, size.width() - 4, size.height() - 2);
}

}  // namespace

QPixmap picture(const std::string& resource, QSize size) {
    if (resource != ui::kProgramIconPicture && resource != ui::kBannerPicture) return {};
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (resource == ui::kProgramIconPicture) drawIcon(painter, size);
    else drawBanner(painter, size);
    return pixmap;
}

}  // namespace ui::qt
