#pragma once

class QFile;

// Makes what was written to the open file durable: on the disk, not in the
// system's cache. False when the system could not.
bool syncToDisk(QFile &file);
