#include "ListBox.h"

#include <QMouseEvent>

// Only the left button chooses lines. The other buttons' clicks end here, so that
// none reaches the panel below; the right button's context-menu event, which opens
// the window's menu, comes separately all the same.
void ListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        QListWidget::mousePressEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    QListWidget::mouseReleaseEvent(event);
    emit clickedByUser();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    QListWidget::mouseDoubleClickEvent(event);
    emit doubleClickedByUser();
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before)
        emit clickedByUser();
}

// Only another line takes the selection; nothing takes it away.
QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (!index.isValid() || command.testFlag(QItemSelectionModel::Deselect))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void ListBox::setColor(ColorValue color)
{
    m_color = color;
    setPaletteColor(this, QPalette::Base, color);
}

void ListBox::setFontColor(ColorValue color)
{
    m_fontColor = color;
    setPaletteColor(this, QPalette::Text, color);
}
