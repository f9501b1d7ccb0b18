#pragma once

#include <QRgb>
#include <QWidget>

// One LED: a small shape painted in one colour, fill and outline alike.
class LedShape final : public QWidget
{
public:
    enum class Kind { Rectangle, Circle };

    LedShape(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    QRgb color() const { return m_color; }
    // Repaints only when the colour changes.
    void setColor(QRgb color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    QRgb m_color = qRgb(0, 0, 0);
};
