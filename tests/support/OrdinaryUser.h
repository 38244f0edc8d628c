#pragma once

#include <QFile>
#include <QString>

#include <unistd.h>

// Root passes every permission check; a read-only folder only refuses an
// ordinary user, so tests run as root become one while this lives. The folder
// openFolder (the test's scratch folder) is opened to that user first.
class OrdinaryUser
{
public:
    explicit OrdinaryUser(const QString &openFolder)
    {
        if (geteuid() != 0)
            return;
        QFile::setPermissions(openFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                              QFile::ExeOther);
        m_switched = seteuid(65534) == 0;
    }
    ~OrdinaryUser()
    {
        if (m_switched)
            (void)seteuid(0);
    }
    OrdinaryUser(const OrdinaryUser &) = delete;
    OrdinaryUser &operator=(const OrdinaryUser &) = delete;

private:
    bool m_switched = false;
};
