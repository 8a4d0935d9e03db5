// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/WrittenAddresses.h"

#include "preview/LocalAddress.h"

namespace {

bool isSchemeChar(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') || c == QLatin1Char('.') ||
           c == QLatin1Char('-');
}

// Characters that end an address in markup, in a style sheet's url() or in a script's string.
bool endsAddress(QChar c)
{
    return c.isSpace() || c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char('<') || c == QLatin1Char('>') ||
           c == QLatin1Char('`') || c == QLatin1Char('(') || c == QLatin1Char(')') || c == QLatin1Char('\\');
}

} // namespace

WrittenAddresses::WrittenAddresses(const QString &text)
{
    // One pass over the text: every "//" may start an address; its scheme, if any, is in front.
    for (qsizetype at = text.indexOf(QLatin1String("//")); at >= 0; at = text.indexOf(QLatin1String("//"), at + 2)) {
        qsizetype end = at + 2;
        while (end < text.size() && !endsAddress(text.at(end)))
            ++end;
        if (end == at + 2)
            continue;
        qsizetype start = at;
        if (start > 0 && text.at(start - 1) == QLatin1Char(':')) {
            qsizetype scheme = start - 1;
            while (scheme > 0 && isSchemeChar(text.at(scheme - 1)))
                --scheme;
            if (scheme < start - 1)
                start = scheme;
        }
        QString written = text.mid(start, end - start);
        written.replace(QLatin1String("&amp;"), QLatin1String("&"));
        if (written.startsWith(QLatin1String("//"))) {
            add(QLatin1String("http:") + written);
            add(QLatin1String("https:") + written);
        } else {
            add(written);
        }
        at = end - 2;
    }
}

void WrittenAddresses::add(const QString &written)
{
    const QUrl url(written);
    if (url.isValid() && isNetwork(url))
        m_keys.insert(key(url));
}

bool WrittenAddresses::contains(const QUrl &url) const
{
    return !m_keys.isEmpty() && m_keys.contains(key(url));
}

bool WrittenAddresses::isNetwork(const QUrl &url)
{
    static const QSet<QString> local = {QStringLiteral("file"), QStringLiteral("data"), QStringLiteral("blob"),
                                        QStringLiteral("about"), QStringLiteral("qrc")};
    return !url.scheme().isEmpty() && !local.contains(url.scheme().toLower()) && !LocalAddress::isLocal(url);
}

QString WrittenAddresses::key(const QUrl &url)
{
    // Parse again from the encoded form, so a written address and the engine's canonical one
    // meet in the same spelling.
    QUrl canonical(QString::fromLatin1(url.toEncoded()));
    canonical = canonical.adjusted(QUrl::NormalizePathSegments);
    const QString scheme = canonical.scheme().toLower();
    const int defaultPort = scheme == QLatin1String("https") || scheme == QLatin1String("wss") ? 443
                            : scheme == QLatin1String("http") || scheme == QLatin1String("ws") ? 80
                            : scheme == QLatin1String("ftp")                                   ? 21
                                                                                               : -1;
    if (canonical.port() == defaultPort)
        canonical.setPort(-1);
    if (canonical.path().isEmpty() && !canonical.host().isEmpty())
        canonical.setPath(QStringLiteral("/"));
    return canonical.toString(QUrl::FullyEncoded);
}
