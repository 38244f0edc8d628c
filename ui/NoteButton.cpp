#include "NoteButton.h"

#include "Colors.h"

#include <QPainter>

NoteButton::NoteButton(QWidget *parent)
    : QToolButton(parent), m_color(Colors::ButtonFace), m_fontColor(Colors::WindowText)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    setAttribute(Qt::WA_Hover);
}

void NoteButton::setColor(ColorValue color)
{
    m_color = color;
    update();
}

void NoteButton::setFontColor(ColorValue color)
{
    m_fontColor = color;
    update();
}

void NoteButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_color));
    const QRect edge = rect().adjusted(0, 0, -1, -1);
    const bool down = isDown();
    if (down || (underMouse() && isEnabled())) {
        const QColor light = Qt::white;
        const QColor dark = toQColor(Colors::ButtonShadow);
        painter.setPen(down ? dark : light);
        painter.drawLine(edge.topLeft(), edge.topRight());
        painter.drawLine(edge.topLeft(), edge.bottomLeft());
        painter.setPen(down ? light : dark);
        painter.drawLine(edge.bottomLeft(), edge.bottomRight());
        painter.drawLine(edge.topRight(), edge.bottomRight());
    }
    painter.setPen(isEnabled() ? toQColor(m_fontColor) : palette().color(QPalette::Disabled, QPalette::Text));
    const QRect textArea = down ? rect().translated(1, 1) : rect();
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
