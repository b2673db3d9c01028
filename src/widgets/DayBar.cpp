#include "DayBar.h"

#include <QPainter>
#include <algorithm>

DayBar::DayBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void DayBar::setPosition(double position) {
    if (position == m_position)
        return;
    m_position = position;
    update();
}

void DayBar::setShowText(bool show) {
    if (show == m_showText)
        return;
    m_showText = show;
    update();
}

QString DayBar::text() const {
    return QString::number(m_position, 'f', 0);
}

QSize DayBar::sizeHint() const {
    return {22, 70};
}

QSize DayBar::minimumSizeHint() const {
    return {12, 40};
}

void DayBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), QColor(0xf4, 0xf7, 0xfb));
    const double fraction = std::clamp(m_position, 0.0, 100.0) / 100.0;
    const int filled = int(frame.height() * fraction + 0.5);
    if (filled > 0)
        p.fillRect(QRect(frame.left(), frame.bottom() - filled + 1, frame.width() + 1, filled),
                   QColor(0x8c, 0xbc, 0xea));
    p.setPen(QColor(0xa8, 0xb8, 0xcc));
    p.drawRect(frame);
    if (!m_showText)
        return;
    // Vertical text, reading bottom to top.
    p.save();
    p.translate(width() / 2.0, height() / 2.0);
    p.rotate(-90);
    QFont f = font();
    f.setPointSizeF(std::max(7.0, f.pointSizeF() - 1));
    p.setFont(f);
    p.setPen(QColor(0x10, 0x22, 0x3a)); // dark on the light fill and on the empty part alike
    const QRectF box(-height() / 2.0, -width() / 2.0, height(), width());
    p.drawText(box, Qt::AlignCenter, text());
    p.restore();
}
