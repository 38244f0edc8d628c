#pragma once

#include <QString>
#include <stdexcept>

// An error that ends the command raising it. The window shows its text in the
// general error report and then carries on with whatever state the command left.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}

    QString text() const { return m_text; }

private:
    QString m_text;
};
