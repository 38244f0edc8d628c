#include "MessageBox.h"

MessageBox::Answerer MessageBox::s_answerer;

QMessageBox::StandardButton MessageBox::show(QWidget *parent, QMessageBox::Icon icon, const QString &caption,
                                             const QString &text, QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    if (s_answerer)
        return s_answerer({icon, caption, text, buttons, defaultButton});
    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

void MessageBox::setAnswerer(Answerer answerer)
{
    s_answerer = std::move(answerer);
}
