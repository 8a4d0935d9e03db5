// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TextFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

// Encodes the editor's UTF-8 text for its file a piece at a time, with the bytes encodeDocument
// gives for the whole text, so that saving needs no copy of the whole page. Pieces may end
// anywhere: a character whose bytes a piece's end cuts, or a CR that may begin a CR LF, is held
// back until the next piece settles it, so an output piece never ends inside a character or a
// surrogate pair. It holds at most a few bytes of the text between pieces.
class DocumentEncoder
{
public:
    explicit DocumentEncoder(const TextFormat &format);

    // Takes the next piece of the text and appends its bytes to out. False once the text holds
    // a character the format's encoding cannot represent; nothing more is encoded then.
    bool feed(QByteArrayView utf8, QByteArray &out);
    // After the last piece: appends what was held back.
    bool finish(QByteArray &out);

private:
    // The part of bytes that cannot grow into anything else: all but a sequence it ends with
    // whose remaining bytes may come in the next piece.
    static qsizetype settledLength(QByteArrayView bytes);
    // Decodes bytes into m_text, drops or holds back the CRs of CR LF breaks when they become LF.
    void decode(QByteArrayView bytes);
    bool encodeText(QByteArray &out);

    TextFormat m_format;
    QStringDecoder m_decoder;
    QStringEncoder m_utf8;
    QByteArray m_cut;     // the start of a character a piece's end cut
    QString m_text;       // the current piece as UTF-16, reused
    bool m_started = false;
    bool m_heldCr = false; // a CR ended the last piece, and LF breaks are written
    bool m_failed = false;
};
