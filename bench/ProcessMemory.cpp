// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessMemory.h"

#include <QFile>

#include <malloc.h>

qint64 ProcessMemory::statusBytes(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

qint64 ProcessMemory::resetPeak()
{
    malloc_trim(0);
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1)
        qFatal("cannot reset the peak memory of the process");
    clearRefs.close();
    return statusBytes("VmRSS");
}
