#include "SyncToDisk.h"

#include <QFile>

#include <unistd.h>

bool syncToDisk(QFile &file)
{
    return fsync(file.handle()) == 0;
}
