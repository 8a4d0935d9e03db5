// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FolderWatch.h"

#include "text/FileIo.h"

#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t watchedEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

FolderWatch::FolderWatch(QObject *parent)
    : QObject(parent)
    , m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(static_cast<qintptr>(m_fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FolderWatch::readEvents);
}

FolderWatch::~FolderWatch()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FolderWatch::watch(const QString &folder)
{
    stop();
    if (m_fd < 0)
        return false;
    m_watch = ::inotify_add_watch(m_fd, FileIo::encodeName(folder).constData(), watchedEvents);
    return m_watch >= 0;
}

void FolderWatch::stop()
{
    if (m_watch >= 0)
        ::inotify_rm_watch(m_fd, m_watch);
    m_watch = -1;
}

void FolderWatch::readEvents()
{
    // Everything queued is read at once; events of a folder no longer watched are left out.
    bool any = false;
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t size = ::read(m_fd, buffer, sizeof buffer);
        if (size < 0 && errno == EINTR)
            continue;
        if (size <= 0)
            break;
        for (ssize_t at = 0; at < size;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            at += static_cast<ssize_t>(sizeof event + event.len);
            // The queue ran over: changes were lost, so the folder is listed again anyway.
            if ((event.mask & IN_Q_OVERFLOW) != 0) {
                any = true;
                continue;
            }
            if (m_watch < 0 || event.wd != m_watch)
                continue;
            // The folder was deleted or its volume unmounted, which was told before this.
            if ((event.mask & IN_IGNORED) != 0) {
                m_watch = -1;
                continue;
            }
            any = true;
        }
    }
    if (any)
        emit changed();
}
