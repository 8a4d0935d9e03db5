// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/LocalReference.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

QString LocalReference::resolve(const QString &value, const QString &pageFolder)
{
    const QString trimmed = value.trimmed();
    if (pageFolder.isEmpty() || trimmed.isEmpty() || trimmed.startsWith(u'#') || trimmed.startsWith(u'/') ||
        trimmed.startsWith(u'\\') || trimmed.contains(u'{') || trimmed.contains(u'<'))
        return {};
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (scheme.match(trimmed).hasMatch())
        return {};
    QString path = trimmed;
    const qsizetype cut = path.indexOf(QRegularExpression(QStringLiteral("[?#]")));
    if (cut >= 0)
        path.truncate(cut);
    path = QUrl::fromPercentEncoding(path.toUtf8());
    if (path.isEmpty() || path.contains(QChar(0)))
        return {};
    return QDir::cleanPath(QDir(pageFolder).filePath(path));
}
