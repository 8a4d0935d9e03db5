// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HostServices.h"

// The real file operations behind HostServices, shared by every implementation of it.
namespace FileIo {

HostServices::ReadResult readFile(const QString &path);
QString writeFileAtomic(const QString &path, const QByteArray &bytes, bool mustExist);
QString writeFileFresh(const QString &path, const QByteArray &bytes);
bool deleteFile(const QString &path);
// The private per-user temp folder under base (the platform's temp location when empty).
QString privateTempFolder(QString *error, const QString &base = {});

} // namespace FileIo
