// SPDX-License-Identifier: GPL-3.0-or-later
// Every byte sequence that opens as text is written back unchanged when saved without an edit,
// and decoding it in pieces gives what decoding it whole gives, however it is cut.
#include "text/DocumentDecoder.h"
#include "text/TextDecoding.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fault(const char *what, const QByteArray &detail = QByteArray())
{
    std::fprintf(stderr, "%s %s\n", what, detail.constData());
    std::abort();
}

// The editor component miscounts invalid UTF-8, NUL and non-characters: no pass gives them out.
void checkEditorText(const QByteArray &utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(utf8);
    if (decoder.hasError() || utf8.contains('\0') || nonCharacterAt(text) >= 0)
        fault("the decoder gave out bytes the editor cannot hold:", utf8.toHex(' '));
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
    if (!decoded.ok)
        return 0;
    const EncodedText encoded = encodeDocument(decoded.text, decoded.format);
    if (!encoded.ok)
        fault("a text that opened cannot be written in its own format");
    if (encoded.bytes != bytes)
        fault("written back as", encoded.bytes.toHex(' '));
    return 0;
}
