#include "ErrorReport.h"

#include "Error.h"
#include "MessageBox.h"

#include <exception>

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
    MessageBox::show(parent, QMessageBox::Critical, applicationTitle(), errorReportText(text), QMessageBox::Ok);
}

void runReportingErrors(QWidget *parent, const std::function<void()> &command)
{
    try {
        command();
    } catch (const Error &error) {
        reportError(parent, error.text());
    } catch (const std::exception &exception) {
        // A fault of the library or the program (an index out of range, memory
        // running out) ends the command like any error instead of the program.
        reportError(parent, QString::fromUtf8(exception.what()));
    }
}
