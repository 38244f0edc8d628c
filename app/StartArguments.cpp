#include "StartArguments.h"

#include <QFileInfo>

#include <cstdio>

std::optional<StartArguments> readStartArguments(const QStringList &arguments)
{
    if (arguments.size() > 2) {
        std::fputs("usage: morvil [FILE.mnls]\n", stderr);
        return std::nullopt;
    }
    if (arguments.size() == 2)
        return StartArguments{QFileInfo(arguments.at(1)).absoluteFilePath()};
    return StartArguments{};
}
