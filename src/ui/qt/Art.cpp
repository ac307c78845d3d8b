#include "Art.h"

#include "Fonts.h"
#include "core/lock/LockScreenForm.h"
#include "core/window/MainFrameForm.h"
#include "core/window/Twips.h"

#include <QBuffer>
#include <QList>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace art {
namespace {

QPainterPath star(QPointF centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF p(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

}  // namespace

QImage iconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;

    // A rounded blue tile ...
    const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0, QColor(0x4f8fe0));
    fill.setColorAt(1, QColor(0x1c4f96));
    p.setPen(size >= 32 ? QPen(QColor(0x163d73), s / 32) : Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(tile, s * 0.2, s * 0.2);

    // ... holding a list of three entries ...
    const int rows = 3;
    const double left = s * 0.2;
    const double lineLeft = s * (size >= 32 ? 0.36 : 0.34);
    const double right = s * (size >= 32 ? 0.62 : 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < rows; ++i) {
        const double y = s * (0.27 + 0.22 * i);
        const double dot = std::max(2.0, s * 0.09);
        p.drawEllipse(QPointF(left + dot / 2, y), dot / 2, dot / 2);
        p.drawRoundedRect(QRectF(lineLeft, y - s * 0.045, right - lineLeft, s * 0.09), s * 0.04, s * 0.04);
    }

    // ... and the golden star of the options menu, left out where it would be a blur.
    if (size >= 32) {
        p.setBrush(QColor(0xffc83d));
        p.setPen(QPen(QColor(0xa86b00), s / 48));
        p.drawPath(star(QPointF(s * 0.73, s * 0.7), s * 0.2, s * 0.085));
    }
    return image;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(iconImage(size)));
    return icon;
}

QPixmap background(QSize size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();

    // Pale sky fading to white.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0xdfeaf7));
    sky.setColorAt(0.55, QColor(0xf4f8fc));
    sky.setColorAt(1, QColor(0xe6eef8));
    p.fillRect(pixmap.rect(), sky);

    // A soft glow in the upper right.
    QRadialGradient glow(QPointF(w * 0.85, h * 0.08), w * 0.7);
    glow.setColorAt(0, QColor(255, 255, 255, 200));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(pixmap.rect(), glow);

    // Two gentle waves across the lower part, behind the panel area.
    const auto wave = [&](double baseline, double amplitude, double phase, QColor colour) {
        QPainterPath path(QPointF(0, h));
        for (int x = 0; x <= int(w); x += 4)
            path.lineTo(x, baseline + amplitude * std::sin(phase + x / w * 2 * M_PI));
        path.lineTo(w, h);
        path.closeSubpath();
        p.fillPath(path, colour);
    };
    wave(h * 0.62, h * 0.025, 0.0, QColor(0x9fc1ea).lighter(108));
    wave(h * 0.66, h * 0.02, 1.8, QColor(0x7eaae0).lighter(115));
    wave(h * 0.70, h * 0.018, 3.4, QColor(0xc9dcf3));

    // Faint stars scattered in the sky.
    p.setPen(Qt::NoPen);
    const QPointF points[] = {{0.08, 0.05}, {0.93, 0.18}, {0.9, 0.45}, {0.05, 0.55}, {0.6, 0.03}};
    for (const QPointF& at : points) {
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawPath(star(QPointF(at.x() * w, at.y() * h), w * 0.025, w * 0.01));
    }
    return pixmap;
}

}  // namespace art

QString art::mainWindowStyleSheet()
{
    const auto hex = [](unsigned rgb) { return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')); };
    return QStringLiteral(
               "#titleStrip { color: white; padding-left: 6px;"
               "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); }"
               "#itemList { border: 1px solid #7f8fa6; }"
               "#itemList::item:selected { color: %4; background: %5; }"
               "QPushButton { color: #17365d; border: 1px solid #6f93c4; border-radius: 3px;"
               "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dbe7f6); }"
               "QPushButton:hover { border-color: #2f66b3; background: #eef5ff; }"
               "QPushButton:pressed { background: #c5d8f1; }"
               "#star { color: %3; }"
               "#panelViewport { background: rgba(255,255,255,150); border: 1px solid %6; }"
               ".QFrame[panel=\"true\"] { background: %7; border: 1px solid %6; }"
               "#pathBox, #nameBox { border: 1px solid #8fa3bf; }")
        .arg(hex(main_frame_form::kTitleTop), hex(main_frame_form::kTitleBottom), hex(main_frame_form::kStarColour), hex(launcher_form::kSelectedText), hex(launcher_form::kSelectedBack))
        .arg(hex(main_frame_form::kPaneEdge), hex(main_frame_form::kPanelColour));
}

namespace art {
namespace {

void put16(QByteArray& out, int value)
{
    out.append(char(value & 0xFF)).append(char(value >> 8 & 0xFF));
}

void put32(QByteArray& out, quint32 value)
{
    put16(out, int(value & 0xFFFF));
    put16(out, int(value >> 16));
}

// An icon image as a device-independent bitmap: the header with the double
// height of colour and mask, the BGRA rows bottom up, then an empty mask
// (the alpha channel decides what shows).
QByteArray iconBitmap(const QImage& drawn)
{
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(size));
    put32(out, quint32(2 * size));
    put16(out, 1);
    put16(out, 32);
    for (int i = 0; i < 6; ++i)
        put32(out, 0);
    for (int y = size - 1; y >= 0; --y)
        out.append(reinterpret_cast<const char*>(image.constScanLine(y)), size * 4);
    const int maskRow = (size + 31) / 32 * 4;
    out.append(QByteArray(maskRow * size, '\0'));
    return out;
}

}  // namespace

QByteArray pngOf(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

// The 256 pixel image is kept as PNG, as Windows' own icons do; the small
// ones as bitmaps, which every loader reads.
QByteArray windowsIconFile()
{
    constexpr int sizes[] = {16, 20, 24, 32, 48, 256};
    constexpr int count = int(std::size(sizes));
    QList<QByteArray> images;
    for (int size : sizes)
        images.append(size == 256 ? pngOf(iconImage(size)) : iconBitmap(iconImage(size)));

    QByteArray out;
    put16(out, 0);
    put16(out, 1);  // an icon, not a cursor
    put16(out, count);
    quint32 offset = 6 + 16 * count;
    for (int i = 0; i < count; ++i) {
        out.append(char(sizes[i] & 0xFF)).append(char(sizes[i] & 0xFF));  // 256 is written 0
        out.append('\0').append('\0');
        put16(out, 1);
        put16(out, 32);
        put32(out, quint32(images[i].size()));
        put32(out, offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray& image : images)
        out.append(image);
    return out;
}

QSize backgroundSize(int dpi)
{
    const Twips twips = Twips::forDpi(dpi);
    const ControlSpec& place = *main_frame_form::kForm.find(main_frame_form::kBackground);
    return {twips.toPixels(place.place.width), twips.toPixels(place.place.height)};
}

}  // namespace art

namespace art {

// The lock's unlock button: a dark rounded plate with its caption on a
// magenta bar, which grows when the pointer is over it.
QImage unlockPicture(bool highlighted)
{
    QImage picture(lock_screen_form::kPictureWidth, lock_screen_form::kPictureHeight, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);  // the corners
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF button(0.5, 0.5, lock_screen_form::kPictureWidth - 1, lock_screen_form::kPictureHeight - 1);
    QPainterPath outline;
    outline.addRoundedRect(button, 9, 9);
    QLinearGradient shade(0, 0, 0, lock_screen_form::kPictureHeight);
    shade.setColorAt(0, QColor(72, 72, 80));
    shade.setColorAt(1, QColor(24, 24, 28));
    painter.fillPath(outline, shade);
    painter.setPen(QPen(QColor(140, 140, 150), 1));
    painter.drawPath(outline);

    const double barHeight = highlighted ? 28 : 12;
    const double barWidth = highlighted ? 116 : 84;
    const QRectF bar((lock_screen_form::kPictureWidth - barWidth) / 2, (lock_screen_form::kPictureHeight - barHeight) / 2, barWidth, barHeight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 255));
    painter.drawRoundedRect(bar, 4, 4);

    QFont font = uiFont(12, true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, lock_screen_form::kPictureWidth, lock_screen_form::kPictureHeight), Qt::AlignCenter, QStringLiteral("解锁"));
    return picture;
}

}  // namespace art
