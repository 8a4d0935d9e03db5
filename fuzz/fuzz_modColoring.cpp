// SPDX-License-Identifier: GPL-3.0-or-later
// The colouring engine, which reads and paints only around the caret, paints what the plain
// model paints over the whole text, from any text, caret and earlier colours.
//
// Input: two bytes choose the caret, one seeds the earlier colours, the rest is the text (UTF-8).
#include "ColouringModel.h"
#include "coloring/modColoring.h"
#include "editor/EditorControl.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Made after the application and so destroyed before it.
EditorControl *target = nullptr;

// Earlier colours from a seed; both halves of a surrogate pair are one character with one colour.
QByteArray earlierColours(const QString &text, std::uint32_t seed)
{
    QByteArray colours(text.size(), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        const bool lowHalf = i > 0 && text.at(i).isLowSurrogate() && text.at(i - 1).isHighSurrogate();
        colours[i] = lowHalf ? colours.at(i - 1) : static_cast<char>((seed >> 16) % 4);
    }
    return colours;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The fuzzer's own options stay away from Qt's argument parsing.
    static int argc = 1;
    static char name[] = "fuzz_modColoring";
    static char *argv[] = {name, nullptr};
    // Both live until the process ends: libFuzzer leaves through exit(), where destroying a
    // static QApplication after Qt Gui's own statics crashes in its post routines.
    new QApplication(argc, argv);
    target = new EditorControl;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    target->setText(QString::fromUtf8(reinterpret_cast<const char *>(data) + 3, static_cast<qsizetype>(size - 3)));
    // What the control holds, which may differ from the bytes (invalid UTF-8 becomes U+FFFD).
    const QString text = target->Text();
    const int length = static_cast<int>(text.size());

    // A caret stands on a character boundary: never inside a surrogate pair or a CR LF.
    int caret = (data[0] | data[1] << 8) % (length + 1);
    if (caret > 0 && caret < length &&
        ((text.at(caret - 1).isHighSurrogate() && text.at(caret).isLowSurrogate()) ||
         (text.at(caret - 1) == u'\r' && text.at(caret) == u'\n')))
        --caret;

    target->setColours(0, earlierColours(text, data[2]));
    const QByteArray before = target->colours(0, length);

    ColorMarkup(*target, caret);

    const QByteArray after = target->colours(0, length);
    const std::vector<char> expected = ColouringModel::colour(text.toStdU16String(), static_cast<std::size_t>(caret),
                                                              std::vector<char>(before.begin(), before.end()));
    if (target->Text() != text) {
        std::fprintf(stderr, "the colouring changed the text\n");
        std::abort();
    }
    for (int i = 0; i < length; ++i) {
        if (after.at(i) != expected[static_cast<std::size_t>(i)]) {
            std::fprintf(stderr, "caret %d: colour %d at %d, the model has %d\n", caret, after.at(i), i,
                         expected[static_cast<std::size_t>(i)]);
            std::abort();
        }
    }
    return 0;
}
