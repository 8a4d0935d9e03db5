// SPDX-License-Identifier: GPL-3.0-or-later
// Every byte sequence that opens as text is written back unchanged when saved without an edit.
#include "platform/TextDecoding.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const DecodedText decoded = decodeDocument(bytes);
    if (!decoded.ok)
        return 0;
    const EncodedText encoded = encodeDocument(decoded.text, decoded.format);
    if (!encoded.ok) {
        std::fprintf(stderr, "a text that opened cannot be written in its own format\n");
        std::abort();
    }
    if (encoded.bytes != bytes) {
        std::fprintf(stderr, "written back as %s\n", encoded.bytes.toHex(' ').constData());
        std::abort();
    }
    return 0;
}
