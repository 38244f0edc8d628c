#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What Morvil's command line asks for: nothing, or one note list to open, as a file
// manager asks with a list's path.
struct StartArguments
{
    QString noteList; // an absolute path; empty when none was given
};

// The exit code of a wrong command line.
constexpr int UsageExitCode = 2;

// Reads the arguments after the program's name (Qt has taken its own options out). A
// relative path is made absolute against the current folder. More than one argument
// writes the usage line to standard error and gives nothing.
std::optional<StartArguments> readStartArguments(const QStringList &arguments);
