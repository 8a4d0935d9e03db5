// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TextDecoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <atomic>
#include <optional>

class QDataStream;
class QIODevice;

// What a journal keeps of an unsaved document: enough to put it back as it was, tied to its
// file, in its file's encoding, under its caption.
struct JournalRecord {
    QString text;
    QString caption;
    bool hasFile = false; // the document had a file to save into
    QString path;         // that file
    TextFormat format;
    QDateTime written; // when the journal was written, in UTC

    bool operator==(const JournalRecord &) const = default;

    // The journal file's bytes. Strings are kept as UTF-16 code units, so a path holding any
    // code unit, paired or not, comes back unchanged.
    QByteArray serialize() const;
    // The same bytes written straight to device, without a copy of them in memory; false when
    // the device failed.
    bool writeTo(QIODevice &device) const;
    // The same bytes with utf8Text, the text as the editor keeps it, in place of text: turned
    // into UTF-16 a piece at a time as it is written, never whole. False when the device failed
    // or cannot seek, or when cancelled became true (checked between pieces).
    bool writeTo(QIODevice &device, QByteArrayView utf8Text, const std::atomic_bool &cancelled) const;
    // Reads what serialize wrote; empty, with error set, for anything else.
    static std::optional<JournalRecord> parse(const QByteArray &bytes, QString *error = nullptr);
    static std::optional<JournalRecord> readFrom(QIODevice &device, QString *error = nullptr);

private:
    // Everything before the text.
    void writeFields(QDataStream &out) const;
};
