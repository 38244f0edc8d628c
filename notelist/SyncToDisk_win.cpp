#include "SyncToDisk.h"

#include <QFile>

#include <io.h>

bool syncToDisk(QFile &file)
{
    return _commit(file.handle()) == 0;
}
