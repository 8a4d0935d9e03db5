// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A regular file opened for reading a piece at a time, following links, never a pipe, device,
// socket or folder (see FileIo::openRegularFile), and never read beyond a size limit: a document
// is decoded as it is read, so that no copy of the whole file is ever held.
class FileReader
{
public:
    FileReader(const QString &path, qint64 sizeLimit);
    ~FileReader();
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Why the file cannot be opened or read, for the user.
    QString error() const { return m_error; }
    // The size when it was opened; -1 when it was not.
    qint64 size() const { return m_size; }
    // Larger than the limit: when opened, or grown beyond it while read.
    bool tooLarge() const { return m_tooLarge; }
    void setSizeLimit(qint64 sizeLimit);

    // Reads the next bytes, at most maxBytes, into into: how many were read, 0 at the end of the
    // file, -1 (with error() set) on a failure or beyond the limit.
    qsizetype read(char *into, qsizetype maxBytes);
    // Goes back to the first byte; false, with error() set, when it cannot.
    bool rewind();

private:
    int m_fd = -1;
    qint64 m_size = -1;
    qint64 m_sizeLimit = 0;
    qint64 m_position = 0;
    bool m_tooLarge = false;
    QString m_error;
};
