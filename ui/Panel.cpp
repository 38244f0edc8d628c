#include "Panel.h"

#include "Colors.h"
#include "Edges.h"

#include <QMouseEvent>
#include <QPainter>

Panel::Panel(QWidget *parent) : QWidget(parent), m_color(Colors::ButtonFace), m_captionColor(Colors::WindowText) {}

void Panel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void Panel::setBevel(bool bevel)
{
    m_bevel = bevel;
    update();
}

void Panel::setColor(ColorValue color)
{
    m_color = color;
    update();
}

void Panel::setCaptionColor(ColorValue color)
{
    m_captionColor = color;
    update();
}

void Panel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_color));
    if (m_bevel)
        drawEdge(painter, rect(), Edge::Raised);
    if (!m_caption.isEmpty()) {
        painter.setPen(toQColor(m_captionColor));
        painter.drawText(rect(), Qt::AlignCenter, m_caption);
    }
}

void Panel::mousePressEvent(QMouseEvent *event)
{
    emit pressed();
    event->accept();
}

void Panel::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit doubleClicked();
    event->accept();
}
