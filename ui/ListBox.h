#pragma once

#include "Colors.h"

#include <QListWidget>

// The visible note list. It reports the user's own choice of a line (a left click,
// or a key that moves the selection) and every left double click, on a line or on
// the empty space below the lines. A right click leaves the selection alone, since
// it only opens the window's menu; so do a click beside the lines and Ctrl with a
// click or Space, which would otherwise leave no line chosen. It keeps its
// background and text colours as the values they were set to, so that a system
// colour stays a reference to one. Its columns hold as many lines as its height
// gives while every line fits in the columns it shows; only a list that needs
// scrolling gives up a line's room to its scroll bar.
class ListBox : public QListWidget
{
    Q_OBJECT

public:
    using QListWidget::QListWidget;

    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    ColorValue fontColor() const { return m_fontColor; }
    void setFontColor(ColorValue color);

    void doItemsLayout() override;

signals:
    void clickedByUser();
    void doubleClickedByUser();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;

private:
    ColorValue m_color = Colors::WindowBackground;
    ColorValue m_fontColor = Colors::WindowText;
};
