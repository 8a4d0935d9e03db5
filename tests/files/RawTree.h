// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <ftw.h>
#include <unistd.h>

// Empties a temporary folder by the bytes of its names when it goes out of scope: QTemporaryDir
// cannot remove entries whose names are not UTF-8.
class RawTree
{
public:
    explicit RawTree(const QTemporaryDir &dir)
        : m_dir(dir)
    {
    }
    ~RawTree()
    {
        ::nftw(
            QFile::encodeName(m_dir.path()).constData(),
            [](const char *path, const struct stat *, int type, FTW *where) {
                if (where->level > 0 && type == FTW_DP)
                    ::rmdir(path);
                else if (where->level > 0)
                    ::unlink(path);
                return 0;
            },
            16, FTW_DEPTH | FTW_PHYS);
    }
    RawTree(const RawTree &) = delete;
    RawTree &operator=(const RawTree &) = delete;

private:
    const QTemporaryDir &m_dir;
};
