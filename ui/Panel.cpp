#include "Panel.h"

#include "Alignment.h"
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

// A child that ignores the mouse (a label, a bevel) passes its presses on to
// the panel; they are still the child's.
bool Panel::onFreeSurface(const QMouseEvent *event) const
{
    return childAt(event->position().toPoint()) == nullptr;
}

void Panel::mousePressEvent(QMouseEvent *event)
{
    if (!onFreeSurface(event)) {
        event->ignore();
        return;
    }
    event->accept();
    emit pressed(event->button(), event->globalPosition(), event->scenePosition());
}

// The second press of a double click is a press too, after the double click.
void Panel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!onFreeSurface(event)) {
        event->ignore();
        return;
    }
    event->accept();
    emit doubleClicked();
    emit pressed(event->button(), event->globalPosition(), event->scenePosition());
}

void Panel::resizeEvent(QResizeEvent *)
{
    alignChildren(this, rect());
}
