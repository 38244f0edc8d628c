#include "ListBox.h"

#include <QMouseEvent>

#include <algorithm>

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

// Qt keeps room for a scroll bar that may show, and so a line fewer a column, even
// when none shows; the bar is allowed only once the lines outgrow the columns.
void ListBox::doItemsLayout()
{
    const int lines = std::max(1, viewport()->height() / std::max(1, gridSize().height()));
    const int columns = std::max(1, viewport()->width() / std::max(1, gridSize().width()));
    setHorizontalScrollBarPolicy(count() > lines * columns ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    QListWidget::doItemsLayout();
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
