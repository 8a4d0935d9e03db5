// SPDX-License-Identifier: GPL-3.0-or-later
// Every byte sequence that opens as text is written back unchanged when saved without an edit,
// and decoding it in pieces gives what decoding it whole gives, however it is cut. Those two
// checks compare the codec with itself; what it must give is held to a model written from the
// rules instead, for UTF-8 files (Qt's own UTF-8 decoder says which bytes are UTF-8): they open
// as UTF-8 with their BOM remembered, and their line breaks become CR LF when all of them are LF,
// stay as they are when they mix styles (any CR that does not start a CR LF, or an LF after
// other breaks), and are CR LF otherwise. What the model does not cover (Windows-1252, UTF-16,
// the refusals) is held only to the two self-checks.
#include "text/DocumentDecoder.h"
#include "text/TextDecoding.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

[[noreturn]] void fault(const char *what, const QByteArray &detail = QByteArray())
{
    std::fprintf(stderr, "%s %s\n", what, detail.constData());
    std::abort();
}

// The editor component miscounts invalid UTF-8 and NUL: no pass gives them out.
void checkEditorText(const QByteArray &utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    decoder.decode(utf8);
    if (decoder.hasError() || utf8.contains('\0'))
        fault("the decoder gave out bytes the editor cannot hold:", utf8.toHex(' '));
}

// What a UTF-8 file must open as, or nothing when the bytes are no such file.
std::optional<DecodedText> utf8Model(QByteArray bytes)
{
    DecodedText model;
    model.ok = true;
    model.format.encoding = TextFormat::Encoding::Utf8;
    model.format.byteOrderMark = bytes.startsWith("\xEF\xBB\xBF");
    if (model.format.byteOrderMark)
        bytes.remove(0, 3);
    // A U+FEFF after the file's BOM is a character of the text.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || bytes.contains('\0'))
        return std::nullopt;
    bool anyCr = false;
    bool otherBreak = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\r') {
            anyCr = true;
            otherBreak = otherBreak || i + 1 == bytes.size() || bytes.at(i + 1) != '\n';
        } else if (bytes.at(i) == '\n' && (i == 0 || bytes.at(i - 1) != '\r')) {
            otherBreak = true;
        }
    }
    model.format.lineBreaks = !otherBreak ? TextFormat::LineBreaks::CrLf
                              : anyCr     ? TextFormat::LineBreaks::Mixed
                                          : TextFormat::LineBreaks::Lf;
    model.text = text;
    if (model.format.lineBreaks == TextFormat::LineBreaks::Lf)
        model.text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return model;
}

// The first byte seeds the lengths of the pieces the rest is cut into, from 1 to 16 bytes.
DecodedText decodeInPieces(const QByteArray &bytes, unsigned seed)
{
    DocumentDecoder decoder;
    QByteArray out;
    DocumentDecoder::Status status = DocumentDecoder::Status::Restart;
    int passes = 0;
    while (status == DocumentDecoder::Status::Restart) {
        if (++passes > 8)
            fault("the decoder keeps restarting");
        out.clear();
        status = DocumentDecoder::Status::Going;
        unsigned state = seed;
        for (qsizetype at = 0; at < bytes.size() && status == DocumentDecoder::Status::Going;) {
            state = state * 1103515245u + 12345u;
            const qsizetype size = qMin<qsizetype>(1 + (state >> 16) % 16, bytes.size() - at);
            status = decoder.feed(QByteArrayView(bytes).sliced(at, size), out);
            at += size;
        }
        if (status == DocumentDecoder::Status::Going)
            status = decoder.finish(out);
        checkEditorText(out);
    }
    DecodedText result;
    if (status == DocumentDecoder::Status::Failed) {
        result.error = decoder.error();
        return result;
    }
    result.ok = true;
    result.text = textFromUtf8(out);
    result.format = decoder.format();
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size - 1));
    const DecodedText decoded = decodeDocument(bytes);
    const DecodedText pieces = decodeInPieces(bytes, data[0]);
    if (pieces.ok != decoded.ok || pieces.error != decoded.error || pieces.format != decoded.format ||
        pieces.text != decoded.text)
        fault("decoded in pieces differently from whole:", bytes.toHex(' '));
    if (const std::optional<DecodedText> model = utf8Model(bytes)) {
        if (!decoded.ok || decoded.format != model->format || decoded.text != model->text)
            fault("a UTF-8 file opened otherwise than its rules say:", bytes.toHex(' '));
    }
    if (!decoded.ok)
        return 0;
    const EncodedText encoded = encodeDocument(decoded.text, decoded.format);
    if (!encoded.ok)
        fault("a text that opened cannot be written in its own format");
    if (encoded.bytes != bytes)
        fault("written back as", encoded.bytes.toHex(' '));
    return 0;
}
