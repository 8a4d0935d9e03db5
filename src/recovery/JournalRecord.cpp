// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/JournalRecord.h"

#include <QBuffer>
#include <QDataStream>

namespace {

constexpr quint32 Magic = 0x5A4A524E; // "ZJRN"
constexpr quint16 Version = 1;
constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_4;

} // namespace

QByteArray JournalRecord::serialize() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writeTo(buffer);
    return bytes;
}

bool JournalRecord::writeTo(QIODevice &device) const
{
    QDataStream out(&device);
    out.setVersion(StreamVersion);
    // The machine's own order: the text is written as it is held, without a swapped copy.
    out.setByteOrder(QDataStream::LittleEndian);
    out << Magic << Version << written.toMSecsSinceEpoch() << caption << hasFile << path << static_cast<qint32>(format.encoding)
        << format.byteOrderMark << static_cast<qint32>(format.lineBreaks) << text;
    return out.status() == QDataStream::Ok;
}

std::optional<JournalRecord> JournalRecord::parse(const QByteArray &bytes, QString *error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readFrom(buffer, error);
}

std::optional<JournalRecord> JournalRecord::readFrom(QIODevice &device, QString *error)
{
    auto fail = [error](const QString &reason) -> std::optional<JournalRecord> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    QDataStream in(&device);
    in.setVersion(StreamVersion);
    in.setByteOrder(QDataStream::LittleEndian);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != Magic)
        return fail(QStringLiteral("it is not a recovery journal"));
    if (version != Version)
        return fail(QStringLiteral("it was written by another version of the program"));
    JournalRecord record;
    qint64 written = 0;
    qint32 encoding = 0;
    qint32 lineBreaks = 0;
    in >> written >> record.caption >> record.hasFile >> record.path >> encoding >> record.format.byteOrderMark >> lineBreaks >>
        record.text;
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return fail(QStringLiteral("it is damaged or incomplete"));
    record.written = QDateTime::fromMSecsSinceEpoch(written, Qt::UTC);
    // A format this build does not know falls back to the default: the text matters more than
    // how its file stored it.
    for (const TextFormat::Encoding known :
         {TextFormat::Encoding::Windows1252, TextFormat::Encoding::Utf16Le, TextFormat::Encoding::Utf16Be}) {
        if (encoding == static_cast<qint32>(known))
            record.format.encoding = known;
    }
    if (lineBreaks == static_cast<qint32>(TextFormat::LineBreaks::Lf) ||
        lineBreaks == static_cast<qint32>(TextFormat::LineBreaks::Mixed))
        record.format.lineBreaks = static_cast<TextFormat::LineBreaks>(lineBreaks);
    return record;
}
