// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/FileIo.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>

namespace FileIo {

namespace {

constexpr char16_t EscapeBase = 0xDC00; // a byte b that is no UTF-8 stands as EscapeBase + b
constexpr int MaxLinkHops = 40;         // as the kernel allows

// Closes a descriptor when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    // Closes now; the error of close() counts, as it can be the first report of a failed write.
    int close() { return ::close(std::exchange(m_fd, -1)); }

private:
    int m_fd;
};

QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString reasonFor(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("the file does not exist");
    case ELOOP:
        return QStringLiteral("its path runs in a loop of symbolic links (%1)").arg(systemText(error));
    case ENAMETOOLONG:
        return QStringLiteral("its path or name is too long for the system (%1)").arg(systemText(error));
    case EACCES:
    case EPERM:
        return QStringLiteral("permission denied (%1)").arg(systemText(error));
    case ENOTDIR:
        return QStringLiteral("a part of its path is a file, not a folder (%1)").arg(systemText(error));
    case EISDIR:
        return QStringLiteral("it is a folder, not a file");
    default:
        return systemText(error);
    }
}

namespace {

// What a file that is not a regular one is, for the messages refusing it.
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a named pipe (FIFO), not a regular file");
    if (S_ISCHR(mode))
        return QStringLiteral("it is a character device, not a regular file");
    if (S_ISBLK(mode))
        return QStringLiteral("it is a block device, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a regular file");
    return QStringLiteral("it is not a regular file");
}

// Why stat() of native failed; a link to nothing is named as such rather than as a missing file.
QString statFailure(const QByteArray &native, int error)
{
    struct stat entry = {};
    if (error == ENOENT && ::lstat(native.constData(), &entry) == 0 && S_ISLNK(entry.st_mode))
        return QStringLiteral("it is a symbolic link to a file that does not exist");
    return reasonFor(error);
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// Follows native's symbolic links to the name they end at, which need not exist yet: a save
// writes into the link's target and keeps the link.
QByteArray finalTarget(QByteArray native, int &error)
{
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat status = {};
        if (::lstat(native.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return native;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(native.constData(), target.data(), static_cast<size_t>(target.size()));
        if (length < 0 || length >= target.size())
            return native;
        target.truncate(length);
        native = target.startsWith('/') ? target : folderOf(native) + '/' + target;
    }
    error = ELOOP;
    return {};
}

// What writeAll returns when the pieces held other than the bytes announced.
constexpr int SourceMismatch = -1;

QString failureReason(int error)
{
    if (error == SourceMismatch)
        return QStringLiteral("the text to save changed while it was being written");
    return reasonFor(error);
}

// Writes the source's pieces from the file's start, counting the bytes written; never more
// than the source announced. 0, or why the writing stopped: an errno value or SourceMismatch.
int writeAll(int fd, const ByteSource &source, qint64 &written)
{
    written = 0;
    QByteArray piece;
    while (source.next(piece)) {
        if (piece.size() > source.size - written)
            return SourceMismatch;
        qsizetype done = 0;
        while (done < piece.size()) {
            const ssize_t n = ::pwrite(fd, piece.constData() + done, static_cast<size_t>(piece.size() - done), written);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return n == 0 ? EIO : errno;
            done += n;
            written += n;
        }
    }
    return written == source.size ? 0 : SourceMismatch;
}

// Makes sure bytes more than the file holds now can be written, before the first byte changes:
// the process's file size limit, then the room on the volume.
int reserveRoom(int fd, qint64 oldSize, qint64 newSize)
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<rlim_t>(newSize) > limit.rlim_cur)
        return EFBIG;
    if (newSize <= oldSize)
        return 0;
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, newSize) == 0)
        return 0;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return errno;
    struct statvfs volume = {};
    if (::fstatvfs(fd, &volume) == 0 && static_cast<qint64>(volume.f_bavail * volume.f_frsize) < newSize - oldSize)
        return ENOSPC;
    return 0;
}

// Rewrites the file in place: for a file with several hard links, a file in a folder the user
// cannot write, or one whose owner a new file could not take over. Room is reserved first, so a
// full disk leaves the old bytes intact; a failure after the first byte says what the file holds.
QString writeInPlace(const QString &shown, const QByteArray &native, const struct stat &before, const ByteSource &bytes)
{
    Descriptor fd(::open(native.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return QStringLiteral("Cannot write %1: %2. The file was not changed.").arg(shown, reasonFor(errno));
    struct stat now = {};
    if (::fstat(fd.get(), &now) != 0 || now.st_dev != before.st_dev || now.st_ino != before.st_ino || !S_ISREG(now.st_mode))
        return QStringLiteral("Cannot write %1: it was replaced by another file while saving. Nothing was written.").arg(shown);
    const qint64 oldSize = now.st_size;
    if (const int error = reserveRoom(fd.get(), oldSize, bytes.size); error != 0)
        return QStringLiteral("Cannot write %1: %2. The file was not changed.").arg(shown, reasonFor(error));
    qint64 written = 0;
    if (const int error = writeAll(fd.get(), bytes, written); error != 0) {
        const QString reason = failureReason(error);
        if (written == 0)
            return QStringLiteral("Cannot write %1: %2. The file was not changed.").arg(shown, reason);
        return QStringLiteral("Cannot write %1: %2. The file is damaged: its first %3 bytes hold the new text and the rest "
                              "still holds the old. Save again, or save under another name.")
            .arg(shown, reason)
            .arg(written);
    }
    if (bytes.size < oldSize && ::ftruncate(fd.get(), bytes.size) != 0) {
        return QStringLiteral("Cannot write %1: %2. The file holds the new text followed by the last %3 bytes of the "
                              "old. Save again, or save under another name.")
            .arg(shown, reasonFor(errno))
            .arg(oldSize - bytes.size);
    }
    // Writing clears setuid and setgid for all but root; the owner may set them again.
    if (::fstat(fd.get(), &now) == 0 && (now.st_mode & 07777) != (before.st_mode & 07777))
        ::fchmod(fd.get(), before.st_mode & 07777);
    if (::fsync(fd.get()) != 0 || fd.close() != 0) {
        return QStringLiteral("Cannot write %1: %2. The new text was written but may not have reached the disk.")
            .arg(shown, reasonFor(errno));
    }
    return {};
}

// Creates a file that did not exist, with the mode the user's umask and the folder give.
QString writeNewFile(const QString &shown, const QByteArray &native, const ByteSource &bytes)
{
    Descriptor fd(::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        return QStringLiteral("Cannot create %1: %2").arg(shown, reasonFor(errno));
    qint64 written = 0;
    int error = writeAll(fd.get(), bytes, written);
    if (error == 0 && (::fsync(fd.get()) != 0 || fd.close() != 0))
        error = errno;
    if (error != 0) {
        const QString reason = failureReason(error);
        ::unlink(native.constData());
        return QStringLiteral("Cannot create %1: %2. Nothing was saved.").arg(shown, reason);
    }
    return {};
}

// Gives the file open as to the extended attributes of from: access control lists, security
// labels, the user's own. False when one cannot be carried over.
bool copyAttributes(const QByteArray &from, int to)
{
    const ssize_t size = ::listxattr(from.constData(), nullptr, 0);
    if (size <= 0)
        return size == 0 || errno == ENOTSUP;
    QByteArray names(size, Qt::Uninitialized);
    const ssize_t listed = ::listxattr(from.constData(), names.data(), static_cast<size_t>(names.size()));
    if (listed < 0)
        return false;
    names.truncate(listed);
    for (const QByteArray &name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t length = ::getxattr(from.constData(), name.constData(), nullptr, 0);
        QByteArray value(std::max<ssize_t>(length, 0), Qt::Uninitialized);
        if (length < 0 ||
            ::getxattr(from.constData(), name.constData(), value.data(), static_cast<size_t>(value.size())) != length ||
            ::fsetxattr(to, name.constData(), value.constData(), static_cast<size_t>(value.size()), 0) != 0)
            return false;
    }
    return true;
}

enum class Replaced { Done, Failed, InPlace };

// Writes a temporary file beside the target with the target's owner, group and mode and
// renames it over the target, so the old file stays whole until the new one is complete. When
// the folder or the file's ownership does not allow that, asks for the in-place write instead.
Replaced replaceAtomically(const QString &shown, const QByteArray &native, const struct stat &before, const ByteSource &bytes,
                           QString &error)
{
    const QByteArray folder = folderOf(native);
    QByteArray temp = folder + "/.zorvane-save-XXXXXX";
    Descriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0)
        return Replaced::InPlace;
    auto discard = [&temp] { ::unlink(temp.constData()); };
    qint64 written = 0;
    if (const int failure = writeAll(fd.get(), bytes, written); failure != 0) {
        error = QStringLiteral("Cannot write %1: %2. The file was not changed.").arg(shown, failureReason(failure));
        discard();
        return Replaced::Failed;
    }
    // Owner first: a change of owner clears the setuid and setgid bits that the mode then sets.
    struct stat made = {};
    const bool owned = ::fstat(fd.get(), &made) == 0 && ((made.st_uid == before.st_uid && made.st_gid == before.st_gid) ||
                                                         ::fchown(fd.get(), before.st_uid, before.st_gid) == 0);
    const mode_t mode = before.st_mode & 07777;
    const bool carried = owned && ::fchmod(fd.get(), mode) == 0 && copyAttributes(native, fd.get()) &&
                         ::fstat(fd.get(), &made) == 0 && (made.st_mode & 07777) == mode;
    if (!carried) {
        discard();
        return Replaced::InPlace;
    }
    if (::fsync(fd.get()) != 0 || fd.close() != 0) {
        error = QStringLiteral("Cannot write %1: %2. The file was not changed.").arg(shown, reasonFor(errno));
        discard();
        return Replaced::Failed;
    }
    if (::rename(temp.constData(), native.constData()) != 0) {
        const int failure = errno;
        discard();
        // A sticky folder or a file mounted on its own allows no rename over it, but a rewrite.
        if (failure == EPERM || failure == EACCES || failure == EBUSY)
            return Replaced::InPlace;
        error = QStringLiteral("Cannot write %1: %2. The file was not changed.").arg(shown, reasonFor(failure));
        return Replaced::Failed;
    }
    Descriptor folderFd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() >= 0)
        ::fsync(folderFd.get());
    return Replaced::Done;
}

// Removes "." segments and doubled slashes; ".." stays, as a symbolic link may precede it.
QByteArray cleanedPath(const QByteArray &path)
{
    QByteArrayList kept;
    for (const QByteArray &segment : path.split('/')) {
        if (!segment.isEmpty() && segment != ".")
            kept << segment;
    }
    return '/' + kept.join('/');
}

} // namespace

QByteArray encodeName(const QString &path)
{
    QByteArray bytes;
    bytes.reserve(path.size() * 3);
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path.at(i).unicode();
        if (unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF) {
            bytes += static_cast<char>(unit - EscapeBase);
            continue;
        }
        const bool pair = QChar::isHighSurrogate(unit) && i + 1 < path.size() && path.at(i + 1).isLowSurrogate();
        bytes += QStringView(path).mid(i, pair ? 2 : 1).toUtf8();
        i += pair ? 1 : 0;
    }
    return bytes;
}

QString decodeName(const QByteArray &name)
{
    QString text;
    text.reserve(name.size());
    const auto *bytes = reinterpret_cast<const unsigned char *>(name.constData());
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            text += QChar(lead);
            ++i;
            continue;
        }
        // Strict UTF-8: no overlong forms, no encoded surrogates, nothing beyond U+10FFFF. Any
        // other byte is escaped, so that decoding and encoding give every name back unchanged.
        int length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1Fu;
            least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0Fu;
            least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07u;
            least = 0x10000;
        }
        bool valid = length > 0 && i + length <= size;
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char next = bytes[i + k];
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        valid = valid && code >= least && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            text += QChar(static_cast<char16_t>(EscapeBase + lead));
            ++i;
            continue;
        }
        if (code < 0x10000) {
            text += QChar(static_cast<char16_t>(code));
        } else {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        }
        i += length;
    }
    return text;
}

QString pathFromArgument(const char *argument)
{
    QByteArray raw(argument);
    if (!raw.startsWith('/')) {
        char *current = ::getcwd(nullptr, 0);
        if (current) {
            raw = QByteArray(current) + '/' + raw;
            std::free(current);
        }
    }
    return decodeName(raw.startsWith('/') ? cleanedPath(raw) : raw);
}

QString displayName(const QString &path)
{
    QString shown = path;
    for (QChar &c : shown) {
        if (c.unicode() >= EscapeBase + 0x80 && c.unicode() <= EscapeBase + 0xFF)
            c = QChar::ReplacementCharacter;
    }
    return shown;
}

bool isFolder(const QString &path)
{
    struct stat status = {};
    return ::stat(encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

QList<FolderEntry> listFolder(const QString &folder)
{
    QList<FolderEntry> entries;
    DIR *dir = ::opendir(encodeName(folder).constData());
    if (!dir)
        return entries;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        bool isDir = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat status = {};
            isDir = ::fstatat(::dirfd(dir), entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
        }
        entries.append({decodeName(QByteArray(entry->d_name)), isDir});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const FolderEntry &a, const FolderEntry &b) {
        const int order = a.name.compare(b.name, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return entries;
}

int openRegularFile(const QString &path, qint64 &size, QString &error)
{
    const QByteArray native = encodeName(path);
    // Looked at before opening, so that no device is ever opened; the opened descriptor is
    // checked again below, in case the name was swapped in between.
    struct stat status = {};
    if (::stat(native.constData(), &status) != 0) {
        error = statFailure(native, errno);
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        error = kindOf(status.st_mode);
        return -1;
    }
    // Non-blocking: a pipe put in the file's place cannot make the open wait for a writer.
    Descriptor fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0) {
        error = reasonFor(errno);
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        error = kindOf(status.st_mode);
        return -1;
    }
    size = status.st_size;
    return fd.release();
}

QString writeFileAtomic(const QString &path, const ByteSource &bytes, bool mustExist)
{
    int linkError = 0;
    const QByteArray native = finalTarget(encodeName(path), linkError);
    const QString shown = displayName(decodeName(native.isEmpty() ? encodeName(path) : native));
    if (linkError != 0)
        return QStringLiteral("Cannot write %1: %2").arg(shown, reasonFor(linkError));
    struct stat before = {};
    if (::lstat(native.constData(), &before) != 0) {
        if (errno != ENOENT)
            return QStringLiteral("Cannot write %1: %2").arg(shown, reasonFor(errno));
        if (mustExist)
            return QStringLiteral("File not found: %1").arg(shown);
        return writeNewFile(shown, native, bytes);
    }
    if (!S_ISREG(before.st_mode))
        return QStringLiteral("Cannot write %1: %2. It was left as it is.").arg(shown, kindOf(before.st_mode));
    // A read-only file stays unwritten even where its folder would allow replacing it.
    if (::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0)
        return QStringLiteral("Cannot write %1: %2. The file was not changed.").arg(shown, reasonFor(errno));
    // Replacing one of several hard links would split them: the others would keep the old text.
    if (before.st_nlink == 1) {
        QString error;
        const Replaced replaced = replaceAtomically(shown, native, before, bytes, error);
        if (replaced != Replaced::InPlace)
            return error;
    }
    return writeInPlace(shown, native, before, bytes);
}

QString writeFileFresh(const QString &path, const ByteSource &bytes)
{
    const QByteArray native = encodeName(path);
    if (::unlink(native.constData()) != 0 && errno != ENOENT)
        return systemText(errno);
    Descriptor fd(::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() < 0)
        return systemText(errno);
    qint64 written = 0;
    if (const int error = writeAll(fd.get(), bytes, written); error != 0) {
        ::unlink(native.constData());
        return error == SourceMismatch ? failureReason(error) : systemText(error);
    }
    if (fd.close() != 0) {
        const QString reason = systemText(errno);
        ::unlink(native.constData());
        return reason;
    }
    return {};
}

bool deleteFile(const QString &path)
{
    return ::unlink(encodeName(path).constData()) == 0;
}

QString privateTempFolder(QString *error, const QString &base)
{
    const QString root = base.isEmpty() ? QDir::tempPath() : base;
    const QString folder = QStringLiteral("%1/zorvane-%2").arg(root).arg(::getuid());
    const QByteArray native = encodeName(folder);
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return QString();
    };
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return fail(QStringLiteral("cannot create %1: %2").arg(folder, systemText(errno)));
    struct stat status = {};
    if (::lstat(native.constData(), &status) != 0)
        return fail(QStringLiteral("cannot examine %1: %2").arg(folder, systemText(errno)));
    if (S_ISLNK(status.st_mode) || !S_ISDIR(status.st_mode))
        return fail(QStringLiteral("%1 is not a folder of its own").arg(folder));
    if (status.st_uid != ::getuid())
        return fail(QStringLiteral("%1 belongs to another user").arg(folder));
    if ((status.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return fail(QStringLiteral("cannot make %1 private").arg(folder));
    return folder;
}

} // namespace FileIo
