// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/RemoteContentChoice.h"

#include <QSettings>
#include <QStringList>

namespace {

const QString key = QStringLiteral("preview/remoteContentFiles");

bool &untitledAllowed()
{
    static bool allowed = false;
    return allowed;
}

} // namespace

bool RemoteContentChoice::isAllowed(const QString &documentPath)
{
    if (documentPath.isEmpty())
        return untitledAllowed();
    return QSettings().value(key).toStringList().contains(documentPath);
}

void RemoteContentChoice::setAllowed(const QString &documentPath, bool allowed)
{
    if (documentPath.isEmpty()) {
        untitledAllowed() = allowed;
        return;
    }
    QSettings settings;
    QStringList files = settings.value(key).toStringList();
    files.removeAll(documentPath);
    if (allowed)
        files.append(documentPath);
    while (files.size() > maxFiles)
        files.removeFirst();
    settings.setValue(key, files);
}

void RemoteContentChoice::startDocument()
{
    untitledAllowed() = false;
}
