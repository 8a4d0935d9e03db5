// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/InstanceLock.h"

#include <QByteArray>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

InstanceLock::~InstanceLock()
{
    unlock();
}

InstanceLock::InstanceLock(InstanceLock &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_path(std::move(other.m_path))
{
}

InstanceLock &InstanceLock::operator=(InstanceLock &&other) noexcept
{
    if (this != &other) {
        unlock();
        m_fd = std::exchange(other.m_fd, -1);
        m_path = std::move(other.m_path);
    }
    return *this;
}

bool InstanceLock::tryLock(const QString &path)
{
    unlock();
    const QByteArray native = QFile::encodeName(path);
    // A holder that releases removes the file first: the lock taken must still be the one the
    // name stands for, or it locks nothing anybody else will look at.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return false;
        }
        struct stat held {
        };
        struct stat named {
        };
        if (::fstat(fd, &held) == 0 && ::lstat(native.constData(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_fd = fd;
            m_path = path;
            return true;
        }
        ::close(fd);
    }
    return false;
}

void InstanceLock::unlock()
{
    if (m_fd < 0)
        return;
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}
