// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileDrops.h"

#include "text/FileIo.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

// The local file a drag brings (the first, when it brings several), or an empty string. The
// path is taken from the address's own bytes, so a name that is no UTF-8 arrives intact.
QString draggedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return {};
    return FileIo::decodeName(QByteArray::fromPercentEncoding(urls.constFirst().path(QUrl::FullyEncoded).toLatin1()));
}

} // namespace

FileDrops::FileDrops(QObject *parent)
    : QObject(parent)
{
}

void FileDrops::watch(QObject &widget)
{
    widget.installEventFilter(this);
}

bool FileDrops::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (draggedFile(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = draggedFile(drop->mimeData());
        if (path.isEmpty())
            return false;
        drop->acceptProposedAction();
        QMetaObject::invokeMethod(
            this, [this, path] { emit fileDropped(path); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
