// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TextFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Decodes a document file piece by piece into the UTF-8 the editor holds, with the result
// decodeDocument gives for the whole file, so that no whole-file buffer is ever needed. It holds a
// few bytes cut at a piece's end, never the file or its text. Some files are only understood
// after reading them once (not UTF-8 after all, NUL bytes, line breaks of both styles): the
// caller then reads the file again from its first byte, and the decoder reads it as it has learnt.
class DocumentDecoder
{
public:
    enum class Status { Going, Restart, Failed };

    // Takes the next bytes of the file and appends their text, as UTF-8, to out.
    Status feed(QByteArrayView bytes, QByteArray &out);
    // After the last bytes: appends what was held back and settles the format. Going means the
    // document is complete and ok.
    Status finish(QByteArray &out);
    // Restart: what was given out since the last restart is void; feed the file again from its
    // first byte. Failed: error() says why, for the user.
    TextFormat format() const { return m_format; }
    QString error() const { return m_error; }

    // The character a Windows-1252 byte stands for. Its five unassigned bytes keep their C1
    // control characters, so that every byte maps and maps back.
    static char16_t windows1252(unsigned char byte);

private:
    // The ways of reading a file, in the only order they are ever taken: a restart always moves
    // to a later one, or stops converting LF within one, so even a file that changes between
    // passes is read at most eight times.
    enum class Reading { Auto, Windows1252, CountZeros, Utf16Le, Utf16Be };
    enum class Mode { Undecided, Utf8, Windows1252, CountZeros, Utf16 };
    enum class Utf16Error { None, NulCharacter, LoneSurrogate };
    enum class LineStep { Keep, AddCr, Mixed };

    // What one pass over the file has found so far.
    struct Pass {
        Mode mode = Mode::Undecided;
        char head[4] = {};
        int headSize = 0;
        // A UTF-8 sequence cut at a piece's end: its bytes so far, what it still needs.
        char carry[4] = {};
        int carrySize = 0;
        int need = 0;
        char32_t code = 0;
        unsigned char lower = 0x80;
        unsigned char upper = 0xBF;
        // UTF-16: a byte of a cut unit, a high surrogate waiting for its low half.
        bool haveByte = false;
        unsigned char byte = 0;
        char16_t high = 0;
        qint64 highAt = 0;
        qint64 unitAt = 0;
        bool bigEndian = false;
        bool sawNul = false;
        Utf16Error utf16Error = Utf16Error::None;
        qint64 utf16ErrorAt = 0;
        qint64 size = 0;
        qint64 zeros[2] = {0, 0};
        // Line breaks: a CR whose next character is not known yet, any CR, any break other
        // than CR LF, an LF already given out as CR LF.
        bool pendingCr = false;
        bool anyCr = false;
        bool otherBreak = false;
        bool lfConverted = false;
    };

    void startPass();
    Status restart(Reading next);
    Status restartWithoutConversion();
    Status fail(const QString &error);
    Status settleHead(QByteArray &out);
    Status feedEightBit(const char *p, const char *end, QByteArray &out);
    Status feedUtf16(const char *p, const char *end, QByteArray &out);
    void countZeros(const char *p, const char *end);
    Status unit(char16_t value, QByteArray &out);
    Status character(char32_t code, QByteArray &out);
    Status finishUtf16();
    Status settleText();
    LineStep lineStep(char32_t code);

    Reading m_reading = Reading::Auto;
    bool m_convertLf = true;
    bool m_failed = false;
    Pass m_pass;
    TextFormat m_format;
    QString m_error;
};
