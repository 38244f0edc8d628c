#pragma once

#include <QString>

#include <functional>

class QWidget;

// The application's title: the task bar's text and the caption of the error report.
QString applicationTitle();

// The text of the general error report: a full stop is appended when the last
// character sorts after "." (so "!", ")" and "." endings get none).
QString errorReportText(const QString &text);

// Shows the general error report: application title as caption, error icon, OK.
void reportError(QWidget *parent, const QString &text);

// Runs a command; an Error or any other std::exception it raises ends it and is
// reported with its text, and the program goes on with the state the command left.
void runReportingErrors(QWidget *parent, const std::function<void()> &command);
