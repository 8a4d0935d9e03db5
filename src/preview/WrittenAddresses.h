// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QString>
#include <QUrl>

// The network addresses a page's text spells out in full ("https://host/path", or "//host/path"
// for both http and https). A click in a preview leaves the page for the network only to an address
// its text writes out, so a script cannot rewrite a link into one that carries what it has learnt.
class WrittenAddresses
{
public:
    WrittenAddresses() = default;
    explicit WrittenAddresses(const QString &text);

    // True when url, fragment and all, is one of the addresses written in the text: a fragment is
    // data too. Host case, a default port, an empty path and "&amp;" in the markup make no
    // difference.
    bool contains(const QUrl &url) const;

    // True for addresses fetched from the network (http, https, ws, wss, ftp and any scheme the
    // engine does not serve from this machine); false for file, data, blob, about, qrc, the
    // previews' local addresses, and an empty address (a view that shows nothing yet).
    static bool isNetwork(const QUrl &url);

private:
    static QString key(const QUrl &url);
    void add(const QString &written);

    QSet<QString> m_keys;
};
