// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery/JournalRecord.h"

#include "text/DocumentEncoder.h"

#include <QBuffer>
#include <QDataStream>

#include <algorithm>

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
    writeFields(out);
    out << text;
    return out.status() == QDataStream::Ok;
}

void JournalRecord::writeFields(QDataStream &out) const
{
    out << Magic << Version << written.toMSecsSinceEpoch() << caption << hasFile << path << static_cast<qint32>(format.encoding)
        << format.byteOrderMark << static_cast<qint32>(format.lineBreaks);
}

bool JournalRecord::writeTo(QIODevice &device, QByteArrayView utf8Text, const std::atomic_bool &cancelled) const
{
    if (device.isSequential())
        return false;
    QDataStream out(&device);
    out.setVersion(StreamVersion);
    out.setByteOrder(QDataStream::LittleEndian);
    writeFields(out);
    // A string is its size in bytes, then its UTF-16 code units: the size is put in its place
    // once the text has been written and counted.
    const qint64 sizeAt = device.pos();
    out << quint32(0);
    if (out.status() != QDataStream::Ok)
        return false;
    constexpr qsizetype PieceSize = qsizetype(1) << 18;
    DocumentEncoder encoder({TextFormat::Encoding::Utf16Le, false, TextFormat::LineBreaks::CrLf});
    QByteArray units;
    qint64 size = 0;
    for (qsizetype at = 0; at <= utf8Text.size(); at += PieceSize) {
        if (cancelled.load())
            return false;
        units.resize(0);
        const QByteArrayView piece = utf8Text.sliced(at, std::min(PieceSize, utf8Text.size() - at));
        if (!encoder.feed(piece, units) || (at + PieceSize > utf8Text.size() && !encoder.finish(units)) ||
            device.write(units) != units.size())
            return false;
        size += units.size();
    }
    // QDataStream's strings before its extended sizes: 0xFFFFFFFF stands for a null string.
    if (size >= qint64(0xFFFFFFFF))
        return false;
    const qint64 end = device.pos();
    if (!device.seek(sizeAt))
        return false;
    out << static_cast<quint32>(size);
    return out.status() == QDataStream::Ok && device.seek(end);
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
