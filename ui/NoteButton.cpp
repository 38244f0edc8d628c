#include "NoteButton.h"

#include "Colors.h"
#include "Edges.h"

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
    const bool down = isDown();
    if (down || (underMouse() && isEnabled()))
        drawEdge(painter, rect(), down ? Edge::Sunken : Edge::Raised);
    // Greyed only when disabled itself: a button whose panel is disabled takes no
    // input but keeps its look.
    const bool greyed = testAttribute(Qt::WA_ForceDisabled);
    painter.setPen(greyed ? palette().color(QPalette::Disabled, QPalette::Text) : toQColor(m_fontColor));
    const QRect textArea = down ? rect().translated(1, 1) : rect();
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
