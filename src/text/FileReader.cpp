// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/FileReader.h"

#include "text/FileIo.h"

#include <cerrno>
#include <unistd.h>

FileReader::FileReader(const QString &path, qint64 sizeLimit)
{
    m_fd = FileIo::openRegularFile(path, m_size, m_error);
    setSizeLimit(sizeLimit);
}

FileReader::~FileReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void FileReader::setSizeLimit(qint64 sizeLimit)
{
    m_sizeLimit = sizeLimit;
    m_tooLarge = m_size > sizeLimit;
    if (m_tooLarge)
        m_error = QStringLiteral("the file is too large");
}

qsizetype FileReader::read(char *into, qsizetype maxBytes)
{
    if (m_fd < 0 || m_tooLarge)
        return -1;
    // A file that grows while it is read, or reports no size at all, is held to the limit: one
    // byte more than it allows is asked for, to see whether there is one.
    const qint64 room = std::min<qint64>(maxBytes, m_sizeLimit + 1 - m_position);
    for (;;) {
        const ssize_t n = ::read(m_fd, into, static_cast<size_t>(room));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            m_error = FileIo::reasonFor(errno);
            return -1;
        }
        m_position += n;
        if (m_position > m_sizeLimit) {
            m_tooLarge = true;
            m_size = m_position;
            m_error = QStringLiteral("the file is too large");
            return -1;
        }
        return n;
    }
}

bool FileReader::rewind()
{
    if (m_fd < 0)
        return false;
    if (::lseek(m_fd, 0, SEEK_SET) != 0) {
        m_error = FileIo::reasonFor(errno);
        return false;
    }
    m_position = 0;
    return true;
}
