#pragma once

#include <QFile>
#include <QString>

#include <grp.h>
#include <unistd.h>

#include <vector>

// Root passes every permission check; a read-only folder only refuses an
// ordinary user, so tests run as root become one while this lives: user and
// group, real and effective (access() asks for the real ones), without root's
// supplementary groups. The folder openFolder (the test's scratch folder) is
// opened to that user first.
class OrdinaryUser
{
public:
    static constexpr uid_t Uid = 65534;
    static constexpr gid_t Gid = 65534;

    explicit OrdinaryUser(const QString &openFolder)
    {
        if (geteuid() != 0)
            return;
        QFile::setPermissions(openFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                              QFile::ExeOther);
        m_groups.resize(std::size_t(getgroups(0, nullptr)));
        getgroups(int(m_groups.size()), m_groups.data());
        // The saved user and group stay root's, so that root can come back.
        m_switched = setgroups(0, nullptr) == 0 && setresgid(Gid, Gid, 0) == 0 && setresuid(Uid, Uid, 0) == 0;
    }
    ~OrdinaryUser()
    {
        if (!m_switched)
            return;
        (void)setresuid(0, 0, 0);
        (void)setresgid(0, 0, 0);
        (void)setgroups(m_groups.size(), m_groups.data());
    }
    OrdinaryUser(const OrdinaryUser &) = delete;
    OrdinaryUser &operator=(const OrdinaryUser &) = delete;

private:
    bool m_switched = false;
    std::vector<gid_t> m_groups;
};
