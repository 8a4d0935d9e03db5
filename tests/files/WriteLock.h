// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QProcess>
#include <QString>

#include <unistd.h>

// Makes a file or folder unwritable for the running user until destroyed. Root ignores the
// permission bits, so there the immutable attribute does it; ok() is false when neither works.
class WriteLock
{
public:
    explicit WriteLock(const QString &path)
        : m_path(path)
        , m_permissions(QFile::permissions(path))
        , m_root(::getuid() == 0)
    {
        if (m_root)
            m_ok = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), m_path}) == 0;
        else
            m_ok = QFile::setPermissions(m_path, m_permissions & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther));
    }

    ~WriteLock()
    {
        if (m_ok && m_root)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        else if (m_ok)
            QFile::setPermissions(m_path, m_permissions);
    }

    WriteLock(const WriteLock &) = delete;
    WriteLock &operator=(const WriteLock &) = delete;

    bool ok() const { return m_ok; }

private:
    QString m_path;
    QFile::Permissions m_permissions;
    bool m_root = false;
    bool m_ok = false;
};
