#include "ui/program_icon.h"

#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QSvgRenderer>

#include <map>

namespace orvane::ui {

namespace {

QImage Render(int pixels) {
    QSvgRenderer svg{QString::fromLatin1(kProgramIconResource)};
    if (!svg.isValid() || pixels <= 0) return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    return image;
}

// Draws the icon at the size asked for, when it is asked for (and keeps each
// size), so that making the icon costs nothing at start-up.
class DrawingIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int pixels = qMin(size.width(), size.height());
        auto it = m_cache.find(pixels);
        if (it == m_cache.end()) it = m_cache.emplace(pixels, ProgramPixmap(pixels)).first;
        if (mode != QIcon::Disabled) return it->second;
        QImage grey = it->second.toImage().convertToFormat(QImage::Format_Grayscale8);
        return QPixmap::fromImage(grey);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int pixels = qMin(size.width(), size.height());
        return {pixels, pixels};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        // The sizes a window manager is handed with each window; others are
        // drawn when asked for.
        return {{16, 16}, {32, 32}, {48, 48}, {64, 64}};
    }
    QIconEngine* clone() const override { return new DrawingIconEngine(*this); }
    QString key() const override { return QStringLiteral("orvane-drawing"); }
    bool isNull() override { return !QSvgRenderer(QString::fromLatin1(kProgramIconResource)).isValid(); }

private:
    std::map<int, QPixmap> m_cache;
};

}  // namespace

QPixmap ProgramPixmap(int pixels) {
    const QImage image = Render(pixels);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QIcon ProgramIcon() { return QIcon(new DrawingIconEngine); }

QPixmap SidePicture(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, QColor(0x2c, 0x55, 0x9c));
    fill.setColorAt(1, QColor(0x0d, 0x1e, 0x3d));
    painter.fillRect(image.rect(), fill);

    const int iconPixels = size.width() * 3 / 4;
    const int margin = (size.width() - iconPixels) / 2;
    painter.drawPixmap(margin, margin, ProgramPixmap(iconPixels));

    // Rows of eight bits: lit ones green, dark ones faint, the bytes of the
    // program's name from top to bottom.
    const QByteArray bits = QByteArrayLiteral("ORVANE  0x");
    const int cell = qMax(4, (size.width() - 2 * margin) / 8);
    const int left = (size.width() - 8 * cell) / 2;
    int y = margin * 2 + iconPixels;
    for (int row = 0; y + cell <= size.height() - margin; ++row, y += cell + cell / 3) {
        const unsigned char byte = static_cast<unsigned char>(bits.at(row % bits.size()));
        for (int b = 0; b < 8; ++b) {
            const bool on = (byte >> (7 - b)) & 1;
            painter.setPen(Qt::NoPen);
            painter.setBrush(on ? QColor(0x74, 0xf5, 0xa8, 220) : QColor(255, 255, 255, 40));
            painter.drawRoundedRect(QRectF(left + b * cell + 1, y + 1, cell - 2, cell - 2), 2, 2);
        }
    }
    painter.end();
    return QPixmap::fromImage(image);
}

}  // namespace orvane::ui
