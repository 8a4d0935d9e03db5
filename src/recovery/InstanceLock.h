// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// An exclusive lock on a file that lasts exactly as long as the process holding it: the system
// releases it when the process ends in any way (kill -9 included), so a lock that can be taken
// belongs to nobody alive. Process ids and lock ages prove nothing: ids are reused, and an
// editor stays open for days.
class InstanceLock
{
public:
    InstanceLock() = default;
    // Releases the lock and removes its file.
    ~InstanceLock();
    InstanceLock(InstanceLock &&other) noexcept;
    InstanceLock &operator=(InstanceLock &&other) noexcept;
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock at path, creating its file when missing; false while a live process holds
    // it, or when the file cannot be had.
    bool tryLock(const QString &path);
    // Removes the lock's file and releases the lock.
    void unlock();
    bool isLocked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
    QString m_path;
};
