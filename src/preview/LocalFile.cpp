// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/LocalFile.h"

#include <QFile>
#include <QMimeDatabase>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How much of a page is looked at to tell whether it is UTF-8.
constexpr qint64 charsetSample = 64 * 1024;

bool isUtf8(const QByteArray &bytes, bool truncated)
{
    qsizetype i = 0;
    const qsizetype size = bytes.size();
    while (i < size) {
        const auto lead = static_cast<unsigned char>(bytes.at(i));
        int follow = 0;
        if (lead < 0x80)
            follow = 0;
        else if (lead >= 0xC2 && lead <= 0xDF)
            follow = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            follow = 2;
        else if (lead >= 0xF0 && lead <= 0xF4)
            follow = 3;
        else
            return false;
        if (i + follow >= size && follow > 0)
            return truncated; // a character cut off by the sample's end
        for (int k = 1; k <= follow; ++k) {
            if ((static_cast<unsigned char>(bytes.at(i + k)) & 0xC0) != 0x80)
                return false;
        }
        i += follow + 1;
    }
    return true;
}

} // namespace

// Pages name no charset, and the engine, which takes a page without one for the system's legacy
// encoding, recognises UTF-8 only in "file:" pages: a page whose text is UTF-8 (and not plain
// ASCII) is said to be so, as the saved file would be read by a browser.
QByteArray LocalFile::contentType(QFile &file, const QByteArray &path)
{
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    static const QMimeDatabase mimes;
    const QMimeType mime = mimes.mimeTypeForFile(QFile::decodeName(name), QMimeDatabase::MatchExtension);
    QByteArray type = mime.isValid() ? mime.name().toLatin1() : QByteArrayLiteral("application/octet-stream");
    if (type != "text/html" && type != "application/xhtml+xml")
        return type;
    const QByteArray sample = file.read(charsetSample);
    file.seek(0);
    const bool ascii = std::all_of(sample.cbegin(), sample.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii && !sample.startsWith("\xEF\xBB\xBF") && isUtf8(sample, sample.size() == charsetSample))
        type += ";charset=utf-8";
    return type;
}

QFile *LocalFile::open(const QByteArray &path, QObject *parent)
{
    struct stat before {
    };
    // A pipe, socket or device is never opened: opening some has effects of its own.
    if (path.isEmpty() || ::stat(path.constData(), &before) != 0 || !S_ISREG(before.st_mode))
        return nullptr;
    // Without waiting, should the name have become a pipe in between.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    struct stat opened {
    };
    auto *file = new QFile(parent);
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_size > maxBytes ||
        !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        delete file;
        return nullptr;
    }
    return file;
}
