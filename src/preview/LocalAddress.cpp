// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/LocalAddress.h"

#include "previewui/PreviewFile.h"

#include <QFile>

namespace {

const QUrl &origin()
{
    static const QUrl url(QLatin1String(PreviewFile::localOrigin));
    return url;
}

} // namespace

QUrl LocalAddress::url(const QString &path)
{
    QUrl url = origin();
    url.setPath(QString::fromLatin1(QFile::encodeName(path).toPercentEncoding("/")), QUrl::TolerantMode);
    return url;
}

bool LocalAddress::isLocal(const QUrl &url)
{
    return url.scheme().compare(origin().scheme(), Qt::CaseInsensitive) == 0 &&
           url.host().compare(origin().host(), Qt::CaseInsensitive) == 0 && url.port(80) == 80;
}

QByteArray LocalAddress::localPath(const QUrl &url)
{
    if (!isLocal(url) || !url.userInfo().isEmpty())
        return {};
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!path.startsWith('/') || path.contains('\0'))
        return {};
    return path;
}
