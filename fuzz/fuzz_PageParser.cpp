// SPDX-License-Identifier: GPL-3.0-or-later
// The page model from any text: no crash, no hang, and every position it gives lies in the text
// and holds what it says (a tag's "<", an end tag's "</").
//
// Input: the text (UTF-8; invalid sequences become U+FFFD, as the editor holds them).
#include "model/PageParser.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char *what, qsizetype at)
{
    std::fprintf(stderr, "%s at %lld\n", what, static_cast<long long>(at));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    PageParser::Input input;
    input.text = text.toUtf8();
    input.pageFolder = QStringLiteral("/nonexistent-page-folder");
    input.fileExists = [](const QString &) { return false; };
    const PageModel model = PageParser::parse(input);
    const qsizetype length = text.size();
    for (const PageProblem &problem : model.problems()) {
        if (problem.offset < 0 || problem.length < 0 || problem.offset + problem.length > length)
            fail("a problem outside the text", problem.offset);
        if (problem.line < 1 || problem.column < 1 || problem.message.isEmpty())
            fail("a problem without a place or a message", problem.offset);
    }
    for (const PageElement &element : model.elements()) {
        if (element.hasStartTag() &&
            (element.startTagEnd <= element.start || element.startTagEnd > length || text.at(element.start) != u'<'))
            fail("a start tag that is not one", element.start);
        if (element.hasEndTag() && (element.end > length || text.mid(element.endTagStart, 2) != QLatin1String("</")))
            fail("an end tag that is not one", element.endTagStart);
        if (element.parent >= model.elements().size())
            fail("a parent that is not there", element.start);
    }
    // Every place answers, the ends included.
    for (qsizetype at = 0; at <= length; at += std::max<qsizetype>(1, length / 64)) {
        const int index = model.tagNameAt(static_cast<int>(at));
        const int open = model.openElementAt(static_cast<int>(at));
        if (index >= model.elements().size() || open >= model.elements().size())
            fail("an element that is not there", at);
    }
    return 0;
}
