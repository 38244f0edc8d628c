#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through here, so tests can see what
// was asked and give the answer.
class MessageBox
{
public:
    struct Shown
    {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };
    using Answerer = std::function<QMessageBox::StandardButton(const Shown &)>;

    static QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &caption,
                                            const QString &text, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    // Replaces the modal box by answerer until reset with an empty function.
    static void setAnswerer(Answerer answerer);

private:
    static Answerer s_answerer;
};
