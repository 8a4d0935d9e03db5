// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewScheme.h"

#include "previewui/PreviewFile.h"

#include <QFile>
#include <QWebEngineUrlScheme>

namespace {

// The one host of the scheme's addresses: a standard URL needs one, so that relative references
// and "../" resolve as they do for local files.
const QString host = QLatin1String(PreviewFile::localHost);

} // namespace

const QByteArray PreviewScheme::name = PreviewFile::localScheme;

void PreviewScheme::registerScheme()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    QWebEngineUrlScheme scheme(name);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
    // Every address an opaque origin of its own. Not CORS-enabled, so no page may read another
    // address of it; not secure, so http addresses a page refers to are not rewritten to https.
    scheme.setFlags(QWebEngineUrlScheme::NoAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl PreviewScheme::url(const QString &path)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(name));
    url.setHost(host);
    url.setPath(QString::fromLatin1(QFile::encodeName(path).toPercentEncoding("/")), QUrl::TolerantMode);
    return url;
}

bool PreviewScheme::isLocal(const QUrl &url)
{
    return url.scheme().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

QByteArray PreviewScheme::localPath(const QUrl &url)
{
    if (!isLocal(url) || url.host().compare(host, Qt::CaseInsensitive) != 0)
        return {};
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!path.startsWith('/') || path.contains('\0'))
        return {};
    return path;
}
