#include "Alignment.h"

#include <QVariant>
#include <QWidget>

Alignment alignmentOf(const QWidget *control)
{
    const QString align = control->property("align").toString();
    if (align == QLatin1String("top"))
        return Alignment::Top;
    if (align == QLatin1String("bottom"))
        return Alignment::Bottom;
    if (align == QLatin1String("fill"))
        return Alignment::Fill;
    return Alignment::None;
}

void alignChildren(QWidget *parent, const QRect &area)
{
    const QList<QWidget *> children = parent->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    const auto each = [&children](Alignment alignment, auto &&place) {
        for (QWidget *child : children) {
            if (!child->isWindow() && !child->isHidden() && alignmentOf(child) == alignment)
                place(child);
        }
    };
    QRect room = area;
    each(Alignment::Top, [&room](QWidget *child) {
        child->setGeometry(room.left(), room.top(), room.width(), child->height());
        room.setTop(room.top() + child->height());
    });
    each(Alignment::Bottom, [&room](QWidget *child) {
        child->setGeometry(room.left(), room.bottom() + 1 - child->height(), room.width(), child->height());
        room.setBottom(room.bottom() - child->height());
    });
    each(Alignment::Fill, [&room](QWidget *child) { child->setGeometry(room); });
}
