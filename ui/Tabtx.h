#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QKeyEvent;

namespace Ui {
class Tabtx;
}

// The About window: a small borderless white card with Morvil's web site, forum
// and e-mail address, above every normal window. It is created hidden, lives as
// long as the program and hides again at the first click or key press.
class Tabtx : public QWidget
{
    Q_OBJECT

public:
    // Asked at every key press in this window: the main window's action that the key
    // runs (a note or a zoom key), or null for any other key.
    using ActionForKey = std::function<QAction *(const QKeyEvent &key)>;

    explicit Tabtx(QWidget *parent = nullptr);
    ~Tabtx() override;

    // A key that runs an enabled action of the main window runs it there and this
    // window stays; every other key hides it.
    void setMainWindowKeys(ActionForKey actionForKey);

    // Shows the window not modally, or brings it to the front when it is shown, and activates it.
    void showInFront();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void FormClick();
    void Label2Click();
    void FormKeyDown(QKeyEvent *key);

    std::unique_ptr<Ui::Tabtx> ui;
    ActionForKey m_mainWindowKeys;
    bool m_pressed = false;
};
