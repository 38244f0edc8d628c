#include "ErrorReport.h"

#include "Error.h"
#include "MessageBox.h"


QString applicationTitle()
{
    return QStringLiteral(".:: MoRvIl ::.");
}

QString errorReportText(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void reportError(QWidget *parent, const QString &text)
{
    MessageBox::show(parent, QMessageBox::Critical, applicationTitle(), errorReportText(text),
                     QMessageBox::Ok);
}

void runReportingErrors(QWidget *parent, const std::function<void()> &command)
{
    try {
        command();
    } catch (const Error &error) {
        reportError(parent, error.text());
    }
}
