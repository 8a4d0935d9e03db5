// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PageParser.h"

#include "model/GumboErrors.h"
#include "model/HtmlKnowledge.h"
#include "model/LocalReference.h"
#include "model/SourceIndex.h"

#include <QHash>
#include <QSet>

#include <cstring>
#include <memory>

namespace {

struct GumboOutputRelease {
    void operator()(GumboOutput *output) const { gumbo_destroy_output(&kGumboDefaultOptions, output); }
};

bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isNameEnd(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '/' || c == '>';
}

// The lower-case tag name at "<" or "</" of a tag in text.
QString tagNameAt(const QByteArray &text, qsizetype at)
{
    qsizetype from = at + 1;
    if (from < text.size() && text.at(from) == '/')
        ++from;
    qsizetype to = from;
    while (to < text.size() && !isNameEnd(text.at(to)) && to - from < 256)
        ++to;
    return QString::fromUtf8(text.constData() + from, to - from).toLower();
}

// Where the end tag of a raw text element named name (lower case) starts, at or after from.
qsizetype rawTextEnd(const QByteArray &text, qsizetype from, const QByteArray &name)
{
    for (qsizetype at = text.indexOf("</", from); at >= 0; at = text.indexOf("</", at + 2)) {
        const qsizetype after = at + 2 + name.size();
        if (after <= text.size() && QByteArrayView(text).sliced(at + 2, name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
            (after == text.size() || isNameEnd(text.at(after))))
            return at;
    }
    return text.size();
}

// Just after the ">" that ends the tag whose name starts at from, passing over quoted values;
// -1 when the text ends first.
qsizetype tagEnd(const QByteArray &text, qsizetype from)
{
    const char *p = text.constData();
    char previous = 0;
    for (qsizetype i = from; i < text.size(); ++i) {
        const char c = p[i];
        if (c == '>')
            return i + 1;
        if ((c == '"' || c == '\'') && previous == '=') {
            const qsizetype close = text.indexOf(c, i + 1);
            if (close < 0)
                return -1;
            i = close;
            previous = c;
            continue;
        }
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            previous = c;
    }
    return -1;
}

// Calls visit(offset of "<", lower-case name, closing, self-closing) for every tag of text in
// order, as a tokenizer would see them: comments and declarations, and the content of raw text
// elements, hold none. Stops when visit returns false.
template<typename Visit>
void scanTags(const QByteArray &text, Visit visit)
{
    const char *p = text.constData();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const char *open = static_cast<const char *>(std::memchr(p + i, '<', static_cast<size_t>(size - i)));
        if (!open)
            return;
        const qsizetype at = open - p;
        i = at + 1;
        if (i < size && p[i] == '!') {
            // A comment ends at "-->", a doctype or other declaration at ">".
            const bool comment = i + 2 < size && p[i + 1] == '-' && p[i + 2] == '-';
            const qsizetype end = comment ? text.indexOf("-->", i + 3) : text.indexOf('>', i);
            i = end < 0 ? size : end + 1;
            continue;
        }
        const bool closing = i < size && p[i] == '/';
        if (!(closing ? i + 1 < size && isNameStart(p[i + 1]) : i < size && isNameStart(p[i])))
            continue;
        const QString name = tagNameAt(text, at);
        const qsizetype end = tagEnd(text, i);
        if (end < 0)
            return;
        i = end;
        if (!visit(at, name, closing, p[end - 2] == '/'))
            return;
        if (!closing && HtmlKnowledge::isRawText(name))
            i = rawTextEnd(text, i, name.toUtf8());
    }
}

QString quoted(const QString &name)
{
    return QStringLiteral("\u201C%1\u201D").arg(name);
}

class Builder
{
public:
    explicit Builder(const PageParser::Input &input)
        : m_input(input)
        , m_index(input.text)
    {
    }

    PageModel build()
    {
        if (m_input.tooLarge || m_input.text.size() > PageParser::MaximumSize) {
            addProblem(0, 0, PageProblem::Severity::Warning,
                       QStringLiteral("The page is larger than %1 MB: it is not checked").arg(PageParser::MaximumSize >> 20));
            return finish();
        }
        const int depth = PageParser::estimatedDepth(m_input.text, PageParser::MaximumDepth + 1);
        if (depth > PageParser::MaximumDepth) {
            addProblem(0, 0, PageProblem::Severity::Warning,
                       QStringLiteral("Elements nest more than %1 deep: the page is not checked").arg(PageParser::MaximumDepth));
            return finish();
        }
        GumboOptions options = kGumboDefaultOptions;
        options.max_errors = PageParser::MaximumParserErrors;
        const std::unique_ptr<GumboOutput, GumboOutputRelease> output(
            gumbo_parse_with_options(&options, m_input.text.constData(), static_cast<size_t>(m_input.text.size())));
        if (!output)
            return finish();
        m_textLength = m_index.utf16Offset(m_input.text.size());
        walk(output->document);
        for (unsigned int i = 0; i < output->errors.length; ++i)
            parserError(*static_cast<const GumboErrors::Error *>(output->errors.data[i]));
        if (output->errors.length < static_cast<unsigned int>(PageParser::MaximumParserErrors))
            unmatchedEndTags();
        return finish();
    }

private:
    PageModel finish() { return PageModel(std::move(m_elements), std::move(m_names), std::move(m_problems), m_input.revision); }

    qsizetype byteOffset(const char *at) const
    {
        const char *begin = m_input.text.constData();
        if (!at || at < begin || at > begin + m_input.text.size())
            return -1;
        return at - begin;
    }

    void addProblem(qsizetype byteStart, qsizetype byteLength, PageProblem::Severity severity, const QString &message)
    {
        // The parser repeats some errors at one place (one per element still open at the end).
        const QString key = QString::number(byteStart) + u' ' + message;
        if (m_reported.contains(key))
            return;
        m_reported.insert(key);
        // The end of the file is shown at the end of its last line, not on the empty one after.
        if (byteLength == 0 && byteStart == m_input.text.size()) {
            while (byteStart > 0 && (m_input.text.at(byteStart - 1) == '\n' || m_input.text.at(byteStart - 1) == '\r'))
                --byteStart;
        }
        PageProblem problem;
        problem.offset = m_index.utf16Offset(byteStart);
        problem.length = m_index.utf16Offset(byteStart + byteLength) - problem.offset;
        m_index.lineAndColumn(byteStart, problem.line, problem.column);
        problem.severity = severity;
        // Many problems repeat one message (an obsolete attribute on every table): kept once.
        const auto known = m_messages.constFind(message);
        problem.message = known != m_messages.cend() ? *known : *m_messages.insert(message);
        m_problems.append(problem);
    }

    int nameIndex(const QString &name)
    {
        const auto found = m_nameIndex.constFind(name);
        if (found != m_nameIndex.cend())
            return *found;
        m_names.append(name);
        m_nameIndex.insert(name, static_cast<int>(m_names.size() - 1));
        return static_cast<int>(m_names.size() - 1);
    }

    // Pre-order, without recursion: the tree may be thousands of levels deep.
    void walk(const GumboNode *document)
    {
        struct Pending {
            const GumboNode *node;
            int parent;
        };
        std::vector<Pending> stack;
        const auto pushChildren = [&stack](const GumboVector &children, int parent) {
            for (unsigned int i = children.length; i-- > 0;)
                stack.push_back({static_cast<const GumboNode *>(children.data[i]), parent});
        };
        pushChildren(document->v.document.children, -1);
        while (!stack.empty()) {
            const Pending pending = stack.back();
            stack.pop_back();
            if (pending.node->type != GUMBO_NODE_ELEMENT && pending.node->type != GUMBO_NODE_TEMPLATE)
                continue;
            const int index = addElement(*pending.node, pending.parent);
            pushChildren(pending.node->v.element.children, index);
        }
    }

    int addElement(const GumboNode &node, int parent)
    {
        const GumboElement &element = node.v.element;
        PageElement page;
        page.parent = parent;
        const unsigned int copied = GUMBO_INSERTION_BY_PARSER | GUMBO_INSERTION_RECONSTRUCTED_FORMATTING_ELEMENT |
                                    GUMBO_INSERTION_ADOPTION_AGENCY_CLONED | GUMBO_INSERTION_CONVERTED_FROM_END_TAG;
        const qsizetype start = element.original_tag.length > 0 && !(node.parse_flags & copied)
                                    ? byteOffset(element.original_tag.data)
                                    : -1;
        if (start >= 0 && m_input.text.at(start) == '<') {
            page.name = nameIndex(tagNameAt(m_input.text, start));
            page.start = m_index.utf16Offset(start);
            page.startTagEnd = m_index.utf16Offset(start + static_cast<qsizetype>(element.original_tag.length));
        } else {
            page.name = nameIndex(QString::fromUtf8(gumbo_normalized_tagname(element.tag)));
        }
        const qsizetype endTag = element.original_end_tag.length > 0 ? byteOffset(element.original_end_tag.data) : -1;
        if (endTag >= 0)
            m_usedEndTags.insert(endTag);
        const QString &name = m_names.at(page.name);
        if (endTag >= 0 && m_input.text.at(endTag) == '<' && tagNameAt(m_input.text, endTag) == name) {
            page.endTagStart = m_index.utf16Offset(endTag);
            page.end = m_index.utf16Offset(endTag + static_cast<qsizetype>(element.original_end_tag.length));
        } else {
            page.end = m_index.utf16Offset(static_cast<qsizetype>(element.end_pos.offset));
        }
        m_elements.append(page);
        if (start >= 0 && element.tag_namespace == GUMBO_NAMESPACE_HTML)
            check(element, name, start, page.end == m_textLength && !page.hasEndTag());
        return static_cast<int>(m_elements.size() - 1);
    }

    void check(const GumboElement &element, const QString &name, qsizetype start, bool openAtEnd)
    {
        const qsizetype nameStart = start + 1;
        const qsizetype nameLength = name.toUtf8().size();
        const HtmlKnowledge::Status status = HtmlKnowledge::element(name);
        if (status == HtmlKnowledge::Status::Unknown && !HtmlKnowledge::isCustomElement(name))
            addProblem(nameStart, nameLength, PageProblem::Severity::Error, QStringLiteral("Unknown element <%1>").arg(name));
        else if (status == HtmlKnowledge::Status::Obsolete)
            addProblem(nameStart, nameLength, PageProblem::Severity::Warning, QStringLiteral("Obsolete element <%1>").arg(name));
        if (openAtEnd && !HtmlKnowledge::isVoid(name) && !HtmlKnowledge::hasOptionalEndTag(name) && name != QLatin1String("html"))
            addProblem(nameStart, nameLength, PageProblem::Severity::Error, QStringLiteral("Element <%1> is never closed").arg(name));

        bool hasAlt = false;
        bool hasSrc = false;
        for (unsigned int i = 0; i < element.attributes.length; ++i) {
            const auto *attribute = static_cast<const GumboAttribute *>(element.attributes.data[i]);
            const qsizetype at = byteOffset(attribute->original_name.data);
            if (at < 0)
                continue;
            const QString attributeName = QString::fromUtf8(attribute->name);
            const qsizetype length = static_cast<qsizetype>(attribute->original_name.length);
            hasAlt = hasAlt || attributeName == QLatin1String("alt");
            hasSrc = hasSrc || attributeName == QLatin1String("src");
            if (status != HtmlKnowledge::Status::Unknown) {
                const HtmlKnowledge::Status known = HtmlKnowledge::attribute(name, attributeName);
                if (known == HtmlKnowledge::Status::Unknown)
                    addProblem(at, length, PageProblem::Severity::Warning,
                               QStringLiteral("Unknown attribute %1 on <%2>").arg(attributeName, name));
                else if (known == HtmlKnowledge::Status::Obsolete)
                    addProblem(at, length, PageProblem::Severity::Warning,
                               QStringLiteral("Obsolete attribute %1 on <%2>").arg(attributeName, name));
            }
            const QString value = QString::fromUtf8(attribute->value);
            if (attributeName == QLatin1String("id") && !value.isEmpty()) {
                if (m_ids.contains(value))
                    addProblem(at, length, PageProblem::Severity::Error, QStringLiteral("Duplicate id %1").arg(quoted(value)));
                m_ids.insert(value);
            }
            if ((attributeName == QLatin1String("src") || attributeName == QLatin1String("href")) && m_input.fileExists) {
                const QString path = LocalReference::resolve(value, m_input.pageFolder);
                if (!path.isEmpty() && !m_input.fileExists(path))
                    addProblem(at, length, PageProblem::Severity::Warning, QStringLiteral("File not found: %1").arg(value.trimmed()));
            }
        }
        if (name == QLatin1String("img")) {
            if (!hasAlt)
                addProblem(nameStart, nameLength, PageProblem::Severity::Error, QStringLiteral("<img> without alt"));
            if (!hasSrc)
                addProblem(nameStart, nameLength, PageProblem::Severity::Error, QStringLiteral("<img> without src"));
        }
    }

    // The parser drops some end tags that close nothing without a word (one of a formatting
    // element that is not open): every end tag that ended no element and drew no error is stray.
    void unmatchedEndTags()
    {
        int reported = 0;
        scanTags(m_input.text, [&](qsizetype at, const QString &name, bool closing, bool) {
            if (!closing || m_usedEndTags.contains(at) || m_errorOffsets.contains(at))
                return true;
            addProblem(at, tagLength(at), PageProblem::Severity::Error, QStringLiteral("Stray end tag </%1>").arg(name));
            return ++reported < PageParser::MaximumParserErrors;
        });
    }

    // The tag of the innermost open element, from a parser error's stack.
    static GumboTag currentTag(const GumboErrors::ParserError &parser)
    {
        if (parser.tagStack.length == 0 || !parser.tagStack.data)
            return GUMBO_TAG_UNKNOWN;
        return static_cast<GumboTag>(reinterpret_cast<intptr_t>(parser.tagStack.data[parser.tagStack.length - 1]));
    }

    static bool stackHolds(const GumboErrors::ParserError &parser, GumboTag tag)
    {
        for (unsigned int i = 0; parser.tagStack.data && i < parser.tagStack.length; ++i) {
            if (static_cast<GumboTag>(reinterpret_cast<intptr_t>(parser.tagStack.data[i])) == tag)
                return true;
        }
        return false;
    }

    // The line of the last text before offset.
    int lineOfLast(const char *text, qsizetype offset) const
    {
        const qsizetype found = m_input.text.lastIndexOf(text, std::max<qsizetype>(0, offset - 1));
        int line = 1;
        int column = 1;
        m_index.lineAndColumn(std::max<qsizetype>(found, 0), line, column);
        return line;
    }

    // The tag in the text at offset: its name and its length up to and with ">".
    qsizetype tagLength(qsizetype at) const
    {
        const qsizetype close = m_input.text.indexOf('>', at);
        return close < 0 ? m_input.text.size() - at : close + 1 - at;
    }

    void parserError(const GumboErrors::Error &error)
    {
        using namespace GumboErrors;
        qsizetype at = byteOffset(error.originalText);
        if (at < 0 || error.type < 0 || error.type >= TypeCount)
            return;
        at = std::min(at, m_input.text.size());
        m_errorOffsets.insert(at);
        const auto fault = [this, at](qsizetype length, const QString &message) {
            addProblem(at, length, PageProblem::Severity::Error, message);
        };
        const auto doubt = [this, at](qsizetype length, const QString &message) {
            addProblem(at, length, PageProblem::Severity::Warning, message);
        };
        switch (error.type) {
        case Utf8Invalid:
        case Utf8Truncated:
            return fault(1, QStringLiteral("Bad character"));
        case Utf8Null:
            return fault(1, QStringLiteral("NUL character"));
        case NumericCharRefNoDigits:
        case NumericCharRefInvalid:
        case NamedCharRefInvalid:
            return fault(1, QStringLiteral("Bad character reference"));
        case NumericCharRefWithoutSemicolon:
        case NamedCharRefWithoutSemicolon:
            return fault(1, QStringLiteral("Character reference without \u201C;\u201D"));
        case TagStartsWithQuestion:
            return fault(2, QStringLiteral("\u201C<?\u201D starts no tag"));
        case TagInvalid:
            return fault(1, QStringLiteral("\u201C<\u201D starts no tag: write &lt; for the character"));
        case CloseTagEmpty:
            return fault(3, QStringLiteral("Empty end tag </>"));
        case CloseTagInvalid:
            return fault(2, QStringLiteral("Bad end tag"));
        case TagEof:
        case CloseTagEof:
        case AttrNameEof:
        case AttrDoubleQuoteEof:
        case AttrSingleQuoteEof:
        case AttrUnquotedEof:
        case AttrAfterEof:
        case SolidusEof:
            return fault(0, QStringLiteral("End of file inside the tag begun on line %1").arg(lineOfLast("<", at)));
        case ScriptEof:
            return fault(0, QStringLiteral("End of file inside a script"));
        case CommentEof:
        case CommentEndBangEof:
            return fault(0, QStringLiteral("End of file inside the comment begun on line %1").arg(lineOfLast("<!--", at)));
        case DoctypeEof:
            return fault(0, QStringLiteral("End of file inside the doctype"));
        case AttrNameInvalid:
            return fault(1, QStringLiteral("Bad character in an attribute name"));
        case AttrUnquotedRightBracket:
        case AttrUnquotedEquals:
            return fault(1, QStringLiteral("Bad character in an unquoted attribute value: quote the value"));
        case AttrAfterInvalid:
            return fault(1, QStringLiteral("No space between attributes"));
        case DuplicateAttr:
            return fault(static_cast<qsizetype>(std::strlen(error.v.duplicateAttribute.name ? error.v.duplicateAttribute.name : "")),
                         QStringLiteral("Duplicate attribute %1")
                             .arg(QString::fromUtf8(error.v.duplicateAttribute.name ? error.v.duplicateAttribute.name : "")));
        case SolidusInvalid:
            return fault(1, QStringLiteral("\u201C/\u201D inside a tag"));
        case DashesOrDoctype:
            return fault(2, QStringLiteral("\u201C<!\u201D starts no comment or doctype"));
        case CommentInvalid:
        case CommentBangAfterDoubleDash:
        case CommentDashAfterDoubleDash:
        case CommentSpaceAfterDoubleDash:
            return fault(2, QStringLiteral("Bad comment: a comment ends with \u201C-->\u201D"));
        case DoctypeInvalid:
        case DoctypeSpace:
        case DoctypeRightBracket:
        case DoctypeSpaceOrRightBracket:
        case DoctypeEnd:
            return doubt(tagLength(at), QStringLiteral("Legacy or bad doctype: the current one is <!DOCTYPE html>"));
        case UnacknowledgedSelfClosingTag:
            return fault(tagLength(at), QStringLiteral("\u201C/>\u201D on <%1>, which is not a void element: the tag stays open")
                                            .arg(tagNameAt(m_input.text, at)));
        case Parser:
            return treeError(error.v.parser, at);
        default:
            return;
        }
    }

    void treeError(const GumboErrors::ParserError &parser, qsizetype at)
    {
        using namespace GumboErrors;
        const auto fault = [this, at](const QString &message) {
            addProblem(at, tagLength(at), PageProblem::Severity::Error, message);
        };
        const GumboTag current = currentTag(parser);
        const QString currentName = QString::fromUtf8(gumbo_normalized_tagname(current));
        if (parser.parserState == InitialMode) {
            if (parser.inputType != Doctype)
                addProblem(at, 0, PageProblem::Severity::Warning,
                           QStringLiteral("No doctype: the page is shown in quirks mode; start it with <!DOCTYPE html>"));
            else
                addProblem(at, tagLength(at), PageProblem::Severity::Warning,
                           QStringLiteral("Legacy or bad doctype: the current one is <!DOCTYPE html>"));
            return;
        }
        const bool isTag = at < m_input.text.size() && m_input.text.at(at) == '<';
        const QString name = isTag ? tagNameAt(m_input.text, at) : QString();
        switch (parser.inputType) {
        case EndTag:
            if (!stackHolds(parser, parser.inputTag) || parser.inputTag == GUMBO_TAG_UNKNOWN)
                return fault(QStringLiteral("Stray end tag </%1>").arg(name));
            if (current != parser.inputTag && current != GUMBO_TAG_UNKNOWN)
                return fault(QStringLiteral("End tag </%1> while <%2> is still open").arg(name, currentName));
            return fault(QStringLiteral("End tag </%1> not allowed here").arg(name));
        case StartTag:
            if (stackHolds(parser, parser.inputTag) &&
                (parser.inputTag == GUMBO_TAG_A || parser.inputTag == GUMBO_TAG_BUTTON || parser.inputTag == GUMBO_TAG_FORM ||
                 parser.inputTag == GUMBO_TAG_NOBR))
                return fault(QStringLiteral("<%1> inside another <%1>").arg(name));
            if (parser.inputTag == GUMBO_TAG_HTML || parser.inputTag == GUMBO_TAG_BODY || parser.inputTag == GUMBO_TAG_HEAD)
                return fault(QStringLiteral("A second <%1>").arg(name));
            return fault(QStringLiteral("Start tag <%1> not allowed here").arg(name));
        case Doctype:
            return fault(QStringLiteral("Doctype not allowed here"));
        case Character:
        case Whitespace:
            return addProblem(at, 1, PageProblem::Severity::Error, QStringLiteral("Text not allowed here"));
        case Null:
            return addProblem(at, 1, PageProblem::Severity::Error, QStringLiteral("NUL character"));
        case Eof:
            return addProblem(at, 0, PageProblem::Severity::Error,
                              QStringLiteral("End of file while <%1> is still open").arg(currentName));
        default:
            return fault(QStringLiteral("Markup not allowed here"));
        }
    }

    const PageParser::Input &m_input;
    SourceIndex m_index;
    QList<PageElement> m_elements;
    QList<PageProblem> m_problems;
    QSet<QString> m_reported;
    QSet<QString> m_ids;
    QSet<QString> m_messages;
    QSet<qsizetype> m_usedEndTags;
    QSet<qsizetype> m_errorOffsets;
    QStringList m_names;
    QHash<QString, int> m_nameIndex;
    int m_textLength = 0;
};

} // namespace

PageModel PageParser::parse(const Input &input)
{
    return Builder(input).build();
}

int PageParser::estimatedDepth(const QByteArray &text, int limit)
{
    int depth = 0;
    int deepest = 0;
    scanTags(text, [&](qsizetype, const QString &name, bool closing, bool selfClosing) {
        if (HtmlKnowledge::isVoid(name) || HtmlKnowledge::hasOptionalEndTag(name) || selfClosing)
            return true;
        if (closing)
            depth = std::max(0, depth - 1);
        else
            deepest = std::max(deepest, ++depth);
        return deepest < limit;
    });
    return deepest;
}
