#include "binding/ledshape.h"

#include <QPainter>

LedShape::LedShape(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
    setAttribute(Qt::WA_OpaquePaintEvent, m_kind == Kind::Rectangle);
}

void LedShape::setColor(QRgb color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void LedShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor color = QColor::fromRgb(m_color);
    if (m_kind == Kind::Rectangle) {
        painter.fillRect(rect(), color);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(color);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
