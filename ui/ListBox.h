#pragma once

#include <QListWidget>

// The visible note list. It reports the user's own choice of a line (a left click,
// or a key that moves the selection) and every left double click, on a line or on
// the empty space below the lines. A right click leaves the selection alone, since
// it only opens the window's menu.
class ListBox : public QListWidget
{
    Q_OBJECT

public:
    using QListWidget::QListWidget;

signals:
    void clickedByUser();
    void doubleClickedByUser();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
