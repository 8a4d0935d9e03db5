// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewui/PreviewFile.h"

#include "host/HostServices.h"

#include <QRegularExpression>

QString PreviewFile::withLocalAddresses(const QString &text)
{
    if (!text.contains(QLatin1String("file:"), Qt::CaseInsensitive))
        return text;
    static const QRegularExpression address(QStringLiteral("((?:=|url\\()\\s*[\"']?\\s*)file://(?=/)"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString copy = text;
    return copy.replace(address, QStringLiteral("\\1") + QLatin1String(localOrigin));
}

PreviewFile PreviewFile::write(HostServices &host, const QString &fileName, const QString &text, const TextFormat &format)
{
    // A browser recognises UTF-16 only by its BOM.
    const bool utf16 = format.encoding == TextFormat::Encoding::Utf16Le || format.encoding == TextFormat::Encoding::Utf16Be;
    TextFormat asGiven{format.encoding, utf16, TextFormat::LineBreaks::CrLf};
    const QString shown = withLocalAddresses(text);
    EncodedText encoded = encodeDocument(shown, asGiven);
    if (!encoded.ok) {
        asGiven.encoding = TextFormat::Encoding::Utf8;
        encoded = encodeDocument(shown, asGiven);
    }
    PreviewFile file;
    QString error;
    const QString folder = host.tempFolder(&error);
    if (folder.isEmpty()) {
        file.error = error.isEmpty() ? QStringLiteral("the temporary folder cannot be used") : error;
        return file;
    }
    file.path = folder + QLatin1Char('/') + fileName;
    file.error = host.writeFileFresh(file.path, encoded.bytes);
    return file;
}
