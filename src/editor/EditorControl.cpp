// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorControl.h"

#include "editor/ScintillaView.h"
#include "text/FileReader.h"
#include "text/TextDecoding.h"

#include <QApplication>
#include <QColor>

#include <algorithm>
#include <cstring>

namespace {

// True when a modal dialog keeps window from taking input.
bool blockedByModal(const QWidget *window)
{
    const QWidget *modal = QApplication::activeModalWidget();
    if (!modal || modal == window)
        return false;
    if (modal->windowModality() == Qt::ApplicationModal)
        return true;
    for (const QWidget *owner = modal->parentWidget(); owner; owner = owner->parentWidget()) {
        if (owner->window() == window)
            return true;
    }
    return false;
}

// The code point that ends just before offset, or starts at offset; 0 beyond the text.
char32_t codePointBefore(const QString &text, qsizetype offset)
{
    if (offset <= 0)
        return 0;
    const QChar last = text.at(offset - 1);
    if (last.isLowSurrogate() && offset >= 2 && text.at(offset - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(text.at(offset - 2), last);
    return last.unicode();
}

char32_t codePointAt(const QString &text, qsizetype offset)
{
    if (offset >= text.size())
        return 0;
    const QChar first = text.at(offset);
    if (first.isHighSurrogate() && offset + 1 < text.size() && text.at(offset + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(first, text.at(offset + 1));
    return first.unicode();
}

} // namespace

bool EditorControl::isWordCharacter(char32_t c)
{
    // Marks belong to the letter they follow: "e" and a combining accent are one letter.
    return c == U'_' || QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

bool EditorControl::isWholeWordAt(const QString &text, qsizetype at, qsizetype length)
{
    // A match is cut out of a word when a word character of it touches one outside it.
    const qsizetype end = at + length;
    const bool startCuts = isWordCharacter(codePointBefore(text, at)) && isWordCharacter(codePointAt(text, at));
    const bool endCuts = isWordCharacter(codePointBefore(text, end)) && isWordCharacter(codePointAt(text, end));
    return !startCuts && !endCuts;
}

void EditorControl::beginBatch()
{
    ++announcer().m_batchDepth;
}

void EditorControl::endBatch()
{
    EditorControl &control = announcer();
    if (--control.m_batchDepth == 0)
        control.flushChange();
}

EditorControl::EditorControl(QWidget *parent)
    : m_view(new ScintillaView(*this, parent))
{
    // Problems are underlined, the partner of a tag is boxed; drawn under the text so its
    // colours stay.
    const struct {
        Mark mark;
        int style;
        QColor colour;
    } looks[] = {{Mark::Error, QsciScintillaBase::INDIC_SQUIGGLEPIXMAP, QColor(0xD0, 0x00, 0x00)},
                 {Mark::Warning, QsciScintillaBase::INDIC_SQUIGGLEPIXMAP, QColor(0xC0, 0x90, 0x00)},
                 {Mark::Partner, QsciScintillaBase::INDIC_ROUNDBOX, QColor(0x40, 0x80, 0xFF)}};
    for (const auto &look : looks) {
        const auto indicator = static_cast<unsigned long>(markIndicator(look.mark));
        m_view->send(QsciScintillaBase::SCI_INDICSETSTYLE, indicator, look.style);
        m_view->SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, indicator, look.colour);
        m_view->send(QsciScintillaBase::SCI_INDICSETUNDER, indicator, 1);
    }
    m_view->send(QsciScintillaBase::SCI_AUTOCSETMAXHEIGHT, 12);
    m_view->send(QsciScintillaBase::SCI_AUTOCSETORDER, QsciScintillaBase::SC_ORDER_PERFORMSORT);
    connect(m_view.data(), &QsciScintilla::userListActivated, this,
            [this](int, const QString &choice) { emit ChoiceMade(choice); });
}

int EditorControl::markIndicator(Mark mark)
{
    return QsciScintillaBase::INDIC_CONTAINER + static_cast<int>(mark);
}

EditorControl::~EditorControl()
{
    delete m_view.data();
}

QWidget *EditorControl::widget() const
{
    return m_view.data();
}

QString EditorControl::Text() const
{
    return m_view->textBetween(0, m_view->send(QsciScintillaBase::SCI_GETLENGTH));
}

void EditorControl::setText(const QString &text)
{
    const Batch batch(*this);
    const QByteArray bytes = text.toUtf8();
    if (bytes.isEmpty() && m_view->send(QsciScintillaBase::SCI_GETLENGTH) == 0)
        recordUnchangedWrite(0);
    // Emptying the document frees Scintilla's buffers; they are then made with room to type into
    // (up to 256 KB), or the first keys on a large page would move the whole text and its colours
    // into a larger buffer. The text goes in by length, so a NUL character does not cut it short.
    m_view->send(QsciScintillaBase::SCI_SETTARGETRANGE, 0, m_view->send(QsciScintillaBase::SCI_GETLENGTH));
    m_view->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, 0ul, "");
    const qsizetype room = std::min<qsizetype>(bytes.size() / 8, 256 * 1024);
    m_view->send(QsciScintillaBase::SCI_ALLOCATE, static_cast<unsigned long>(bytes.size() + room));
    m_view->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    // The written text is the inserted one unless a lone surrogate was replaced on the way.
    if (!bytes.isEmpty() && text.isValidUtf16())
        announcer().m_view->finishInsert(&text);
    m_view->send(QsciScintillaBase::SCI_SETEMPTYSELECTION, 0);
}

RichText EditorControl::TextRTF() const
{
    RichText content;
    content.text = Text();
    const QByteArray styles = colours(0, static_cast<int>(content.text.size()));
    for (const char style : styles) {
        if (!content.runs.empty() && content.runs.back().style == style)
            ++content.runs.back().length;
        else
            content.runs.push_back({1, style});
    }
    return content;
}

void EditorControl::setTextRTF(const RichText &content)
{
    const Batch batch(*this);
    setText(content.text);
    int offset = 0;
    for (const StyleRun &run : content.runs) {
        const long from = m_view->toPosition(offset);
        const long to = m_view->toPosition(offset + run.length);
        m_view->send(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(from));
        m_view->send(QsciScintillaBase::SCI_SETSTYLING, static_cast<unsigned long>(to - from), run.style);
        offset += run.length;
    }
}

int EditorControl::SelStart() const
{
    return m_view->toOffset(m_view->send(QsciScintillaBase::SCI_GETSELECTIONSTART));
}

void EditorControl::setSelStart(int offset)
{
    const long position = m_view->toPosition(offset);
    m_view->send(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(position), position);
}

int EditorControl::SelLength() const
{
    return m_view->toOffset(m_view->send(QsciScintillaBase::SCI_GETSELECTIONEND)) - SelStart();
}

void EditorControl::setSelLength(int length)
{
    const int start = SelStart();
    const long from = m_view->toPosition(start);
    const long to = m_view->toPosition(start + std::max(0, length));
    m_view->send(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(from), to);
}

QString EditorControl::SelText() const
{
    return m_view->textBetween(m_view->send(QsciScintillaBase::SCI_GETSELECTIONSTART),
                               m_view->send(QsciScintillaBase::SCI_GETSELECTIONEND));
}

void EditorControl::setSelText(const QString &text)
{
    const Batch batch(*this);
    const QByteArray bytes = text.toUtf8();
    // SCI_REPLACESEL stops at a NUL byte; target replacement takes an explicit length.
    const long from = m_view->send(QsciScintillaBase::SCI_GETSELECTIONSTART);
    const long to = m_view->send(QsciScintillaBase::SCI_GETSELECTIONEND);
    if (from == to && bytes.isEmpty())
        recordUnchangedWrite(m_view->toOffset(from));
    m_view->send(QsciScintillaBase::SCI_SETTARGETRANGE, static_cast<unsigned long>(from), to);
    m_view->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    const long end = from + bytes.size();
    m_view->send(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(end), end);
}

void EditorControl::setSelColor(Colour colour)
{
    const long from = m_view->send(QsciScintillaBase::SCI_GETSELECTIONSTART);
    const long to = m_view->send(QsciScintillaBase::SCI_GETSELECTIONEND);
    if (to <= from)
        return;
    m_view->send(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(from));
    m_view->send(QsciScintillaBase::SCI_SETSTYLING, static_cast<unsigned long>(to - from), static_cast<long>(colour));
}

int EditorControl::Find(const QString &text, int start, int end, int options)
{
    if (text.isEmpty())
        return -1;
    const int total = length();
    if (start < 0)
        start = 0;
    if (start > total)
        return -1;
    const int stop = end < 0 || end > total ? total : end;
    if (stop < start)
        return -1;
    const bool asciiNeedle = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (!asciiNeedle && !(options & MatchCase))
        return findFolded(text, start, stop, options);
    int flags = 0;
    if (options & MatchCase)
        flags |= QsciScintillaBase::SCFIND_MATCHCASE;
    // As given: a non-character is nowhere in the document.
    const QByteArray needle = text.toUtf8();
    m_view->send(QsciScintillaBase::SCI_SETSEARCHFLAGS, static_cast<unsigned long>(flags));
    // Scintilla judges word boundaries byte by byte; whole words are judged here instead, by the
    // same rule for every script.
    const long stopPosition = m_view->toPosition(stop);
    for (long from = m_view->toPosition(start);;) {
        m_view->send(QsciScintillaBase::SCI_SETTARGETRANGE, static_cast<unsigned long>(from), stopPosition);
        const long found = m_view->SendScintilla(QsciScintillaBase::SCI_SEARCHINTARGET, static_cast<unsigned long>(needle.size()),
                                                 needle.constData());
        if (found < 0)
            return -1;
        const long foundEnd = m_view->send(QsciScintillaBase::SCI_GETTARGETEND);
        const int offset = m_view->toOffset(found);
        if ((options & WholeWord) && !isWholeWordInDocument(offset, m_view->toOffset(foundEnd) - offset)) {
            from = m_view->send(QsciScintillaBase::SCI_POSITIONAFTER, static_cast<unsigned long>(found));
            continue;
        }
        if (!(options & NoHighlight))
            m_view->send(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(found), foundEnd);
        return offset;
    }
}

bool EditorControl::isWholeWordInDocument(int at, int length) const
{
    // Two units on either side hold a whole code point, a surrogate pair included.
    const QString before = textRange(std::max(0, at - 2), at);
    const QString after = textRange(at + length, at + length + 2);
    return isWholeWordAt(before + textRange(at, at + length) + after, before.size(), length);
}

int EditorControl::findFolded(const QString &text, int start, int stop, int options)
{
    // Scintilla folds only ASCII letters; Qt folds every script.
    const QString haystack = textRange(start, stop);
    for (qsizetype at = haystack.indexOf(text, 0, Qt::CaseInsensitive); at >= 0;
         at = haystack.indexOf(text, at + 1, Qt::CaseInsensitive)) {
        const int found = start + static_cast<int>(at);
        // The characters around the match may lie outside the range searched.
        if ((options & WholeWord) && !isWholeWordInDocument(found, static_cast<int>(text.size())))
            continue;
        if (!(options & NoHighlight)) {
            setSelStart(found);
            setSelLength(static_cast<int>(text.size()));
        }
        return found;
    }
    return -1;
}

bool EditorControl::LoadFile(const QString &path)
{
    // Never a pipe or device, never more than a document may hold.
    FileReader reader(path, DocumentSize::Maximum);
    return load(reader).ok;
}

EditorControl::LoadResult EditorControl::load(FileReader &reader)
{
    LoadResult result;
    ScintillaView::Loading loading = announcer().m_view->loadDocument(reader);
    if (!loading.document) {
        result.error = loading.error;
        return result;
    }
    const Batch batch(*this);
    // The text it replaces is what undoing the load gives back.
    const QString removed = Text();
    const int loadedLength = announcer().m_view->showDocument(loading.document);
    announcer().recordEdit({0, removed, {}, loadedLength});
    result.ok = true;
    result.format = loading.format;
    return result;
}

bool EditorControl::SetFocus()
{
    QWidget *window = m_view->window();
    if (!m_view->isVisible() || !m_view->isEnabled() || blockedByModal(window))
        return false;
    // The focus follows the user's work from a tool window, the find dialog or a question back
    // to the document, so the next key typed reaches it.
    // (isActiveWindow() is also true while a tool window it owns is active, which keeps the keys.)
    if (QApplication::activeWindow() != window) {
        window->raise();
        window->activateWindow();
    }
    m_view->setFocus(Qt::OtherFocusReason);
    // The window manager activates the window later; the editor is its focus widget already
    // and takes the keys once the window is active.
    return window->focusWidget() == m_view.data();
}

int EditorControl::length() const
{
    return m_view->utf16Length();
}

QString EditorControl::textRange(int start, int end) const
{
    const long from = m_view->toPosition(std::max(0, start));
    return m_view->textBetween(from, m_view->toPosition(std::max(start, end)));
}

EditorControl::Colour EditorControl::colourAt(int offset) const
{
    return static_cast<Colour>(
        m_view->send(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(m_view->toPosition(offset))));
}

bool EditorControl::overwriteMode() const
{
    return m_view->send(QsciScintillaBase::SCI_GETOVERTYPE) != 0;
}

QByteArray EditorControl::colours(int start, int end) const
{
    const long from = m_view->toPosition(start);
    const long to = m_view->toPosition(std::max(start, end));
    // One call gives every byte with its style; a code point's units take its lead byte's style.
    QByteArray cells(2 * (to - from) + 2, Qt::Uninitialized);
    m_view->SendScintilla(QsciScintillaBase::SCI_GETSTYLEDTEXT, from, to, cells.data());
    QByteArray result;
    result.reserve(to - from);
    for (long i = 0; i < to - from; ++i) {
        const auto byte = static_cast<unsigned char>(cells.at(2 * i));
        if ((byte & 0xC0) != 0x80)
            result.append(byte >= 0xF0 ? 2 : 1, cells.at(2 * i + 1));
    }
    return result;
}

void EditorControl::setColours(int start, const QByteArray &colours)
{
    if (colours.isEmpty())
        return;
    const long from = m_view->toPosition(start);
    const long to = m_view->toPosition(start + static_cast<int>(colours.size()));
    QByteArray perByte;
    if (to - from == colours.size()) {
        perByte = colours; // every character is one byte
    } else {
        // Walks the bytes rather than a UTF-16 copy of the range: a whole large page is painted
        // at once. A four-byte character's halves take its two units' colours.
        const char *bytes = m_view->bytesAt(from, to);
        // Sized exactly: resize() would round a large array up to the next power of two.
        perByte = QByteArray(to - from, Qt::Uninitialized);
        const qsizetype lastUnit = colours.size() - 1;
        qsizetype unit = -1;
        int fourByteRest = 0;
        for (qsizetype i = 0; i < perByte.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if ((byte & 0xC0) != 0x80) {
                ++unit;
                fourByteRest = byte >= 0xF0 ? 3 : 0;
            } else if (fourByteRest > 0 && --fourByteRest == 1) {
                ++unit;
            }
            perByte[i] = colours.at(std::clamp<qsizetype>(unit, 0, lastUnit));
        }
    }
    m_view->send(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(from));
    m_view->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, static_cast<unsigned long>(perByte.size()), perByte.constData());
}

void EditorControl::applyEdits(const QList<ContentEdit> &edits)
{
    const Batch batch(*this);
    for (const ContentEdit &edit : edits) {
        const long from = m_view->toPosition(edit.offset);
        const long to = m_view->toPosition(edit.offset + static_cast<int>(edit.removed.size()));
        const QByteArray bytes = edit.inserted.toUtf8();
        if (from == to && bytes.isEmpty())
            recordUnchangedWrite(edit.offset);
        m_view->send(QsciScintillaBase::SCI_SETTARGETRANGE, static_cast<unsigned long>(from), to);
        m_view->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    }
    m_view->send(QsciScintillaBase::SCI_SETEMPTYSELECTION, 0);
}

void EditorControl::shareDocumentWith(EditorControl &other)
{
    // The other control reports the shared document's changes; this one would only repeat them.
    m_reportsChanges = false;
    m_announcer = &other;
    other.m_view->addScratch(*m_view);
    const long document = other.m_view->send(QsciScintillaBase::SCI_GETDOCPOINTER);
    m_view->send(QsciScintillaBase::SCI_SETDOCPOINTER, 0, document);
    // A new document pointer resets the view's character index; the conversions need it.
    m_view->send(QsciScintillaBase::SCI_ALLOCATELINECHARACTERINDEX, QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16);
    // A scratch control is never painted: the large cache of measured text (2 MB of slots) is
    // for the shown one.
    m_view->send(QsciScintillaBase::SCI_SETPOSITIONCACHE, 1024);
}

const QList<ContentEdit> &EditorControl::lastEdits() const
{
    return m_lastEdits;
}

int EditorControl::lineCount() const
{
    return static_cast<int>(m_view->send(QsciScintillaBase::SCI_GETLINECOUNT));
}

int EditorControl::lineAt(int offset) const
{
    return static_cast<int>(
        m_view->send(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(m_view->toPosition(offset))));
}

int EditorControl::lineStart(int line) const
{
    const long clamped = std::clamp(line, 0, lineCount() - 1);
    return m_view->toOffset(m_view->send(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(clamped)));
}

void EditorControl::goToLine(int line)
{
    // Scintilla's own: the caret at the line's start, the view scrolled to show it.
    m_view->send(QsciScintillaBase::SCI_GOTOLINE, static_cast<unsigned long>(std::clamp(line, 0, lineCount() - 1)));
}

int EditorControl::firstVisibleLine() const
{
    return static_cast<int>(m_view->send(QsciScintillaBase::SCI_DOCLINEFROMVISIBLE,
                                         static_cast<unsigned long>(m_view->send(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE))));
}

void EditorControl::setFirstVisibleLine(int line)
{
    const long clamped = std::clamp(line, 0, lineCount() - 1);
    m_view->send(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE,
                 static_cast<unsigned long>(m_view->send(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(clamped))));
}

void EditorControl::setSelection(int anchor, int caret)
{
    const int length = this->length();
    m_view->send(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(m_view->toPosition(std::clamp(anchor, 0, length))),
                 m_view->toPosition(std::clamp(caret, 0, length)));
}

void EditorControl::setLineNumbersShown(bool shown)
{
    if (shown == lineNumbersShown())
        return;
    if (shown) {
        connect(this, &EditorControl::Change, this, &EditorControl::fitLineNumberMargin, Qt::UniqueConnection);
        fitLineNumberMargin();
    } else {
        disconnect(this, &EditorControl::Change, this, &EditorControl::fitLineNumberMargin);
        m_lineNumberDigits = 0;
        m_view->send(QsciScintillaBase::SCI_SETMARGINWIDTHN, 0, 0);
    }
}

bool EditorControl::lineNumbersShown() const
{
    return m_lineNumberDigits > 0;
}

void EditorControl::fitLineNumberMargin()
{
    // Two digits at least, so the first lines typed do not make the text jump.
    const int digits = std::max(2, static_cast<int>(QString::number(lineCount()).size()));
    if (digits == m_lineNumberDigits)
        return;
    m_lineNumberDigits = digits;
    const QByteArray widest(digits, '9');
    const long width =
        m_view->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH, QsciScintillaBase::STYLE_LINENUMBER, widest.constData());
    const long padding = m_view->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH, QsciScintillaBase::STYLE_LINENUMBER, "9");
    m_view->send(QsciScintillaBase::SCI_SETMARGINWIDTHN, 0, width + padding);
}

const QList<ContentEdit> &EditorControl::pendingEdits()
{
    m_view->finishInsert();
    return m_pendingEdits;
}

QByteArray EditorControl::utf8Text() const
{
    // Copied from either side of the document's gap: reading across it would first move all
    // the text after it.
    const long length = m_view->send(QsciScintillaBase::SCI_GETLENGTH);
    const long gap = std::clamp(m_view->send(QsciScintillaBase::SCI_GETGAPPOSITION), 0L, length);
    QByteArray bytes(length, Qt::Uninitialized);
    if (gap > 0)
        std::memcpy(bytes.data(), m_view->bytesAt(0, gap), static_cast<size_t>(gap));
    if (length > gap)
        std::memcpy(bytes.data() + gap, m_view->bytesAt(gap, length), static_cast<size_t>(length - gap));
    return bytes;
}

qint64 EditorControl::utf8Length() const
{
    return m_view->send(QsciScintillaBase::SCI_GETLENGTH);
}

QByteArrayView EditorControl::utf8Piece(qint64 from, qint64 length) const
{
    const long size = m_view->send(QsciScintillaBase::SCI_GETLENGTH);
    const long start = static_cast<long>(std::clamp<qint64>(from, 0, size));
    long end = static_cast<long>(std::clamp<qint64>(from + std::max<qint64>(length, 0), start, size));
    // A piece across the document's gap ends at it, so that reading moves no text.
    const long gap = m_view->send(QsciScintillaBase::SCI_GETGAPPOSITION);
    if (start < gap && gap < end)
        end = gap;
    if (end == start)
        return {};
    return {m_view->bytesAt(start, end), end - start};
}

void EditorControl::setMarks(Mark mark, const QList<std::pair<int, int>> &ranges)
{
    m_view->send(QsciScintillaBase::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(markIndicator(mark)));
    m_view->send(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0, m_view->send(QsciScintillaBase::SCI_GETLENGTH));
    for (const auto &[offset, length] : ranges) {
        const long from = m_view->toPosition(offset);
        // An empty range (the end of the file) still shows: it marks the character before.
        long to = m_view->toPosition(offset + std::max(length, 0));
        if (to <= from) {
            if (from == 0)
                continue;
            to = from;
            const long before = m_view->send(QsciScintillaBase::SCI_POSITIONBEFORE, static_cast<unsigned long>(from));
            m_view->send(QsciScintillaBase::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(before), to - before);
            continue;
        }
        m_view->send(QsciScintillaBase::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(from), to - from);
    }
}

QList<std::pair<int, int>> EditorControl::marks(Mark mark) const
{
    QList<std::pair<int, int>> ranges;
    const auto indicator = static_cast<unsigned long>(markIndicator(mark));
    const long length = m_view->send(QsciScintillaBase::SCI_GETLENGTH);
    long position = 0;
    while (position < length) {
        const long end = m_view->send(QsciScintillaBase::SCI_INDICATOREND, indicator, position);
        if (m_view->send(QsciScintillaBase::SCI_INDICATORVALUEAT, indicator, position) != 0) {
            const int offset = m_view->toOffset(position);
            ranges.append({offset, m_view->toOffset(end) - offset});
        }
        if (end <= position)
            break;
        position = end;
    }
    return ranges;
}

void EditorControl::replaceRange(int offset, int length, const QString &text)
{
    const Batch batch(*this);
    const long from = m_view->toPosition(offset);
    const long to = m_view->toPosition(offset + std::max(length, 0));
    const QByteArray bytes = text.toUtf8();
    if (from == to && bytes.isEmpty())
        recordUnchangedWrite(offset);
    m_view->send(QsciScintillaBase::SCI_SETTARGETRANGE, static_cast<unsigned long>(from), to);
    m_view->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
}

void EditorControl::showChoices(int typedLength, const QStringList &choices, Qt::CaseSensitivity matching)
{
    if (choices.isEmpty()) {
        closeChoices();
        return;
    }
    m_view->send(QsciScintillaBase::SCI_AUTOCSETIGNORECASE, matching == Qt::CaseInsensitive ? 1 : 0);
    // The list selects the first choice that starts with the typed characters.
    m_view->showUserList(1, choices);
    if (typedLength > 0) {
        const long caret = m_view->send(QsciScintillaBase::SCI_GETCURRENTPOS);
        const QByteArray typed = m_view->textBetween(m_view->toPosition(m_view->toOffset(caret) - typedLength), caret).toUtf8();
        m_view->SendScintilla(QsciScintillaBase::SCI_AUTOCSELECT, 0ul, typed.constData());
    }
}

bool EditorControl::choicesShown() const
{
    return m_view->send(QsciScintillaBase::SCI_AUTOCACTIVE) != 0;
}

void EditorControl::closeChoices()
{
    m_view->send(QsciScintillaBase::SCI_AUTOCCANCEL);
}

EditorControl &EditorControl::announcer()
{
    return m_announcer ? *m_announcer : *this;
}

bool EditorControl::reportsChanges() const
{
    return m_reportsChanges;
}

const ScintillaView &EditorControl::recordingView() const
{
    return m_announcer && m_announcer->m_view ? *m_announcer->m_view : *m_view;
}

int EditorControl::selectionStart() const
{
    return SelStart();
}

void EditorControl::userEdited()
{
    emit UserEdit();
}

void EditorControl::viewUpdated(bool caretMoved, bool scrolled)
{
    if (caretMoved)
        emit CaretMoved();
    if (scrolled)
        emit Scrolled();
}

void EditorControl::keyUp()
{
    emit KeyUp();
}

void EditorControl::mouseUp()
{
    emit MouseUp();
}

void EditorControl::lostFocus()
{
    emit LostFocus();
}

void EditorControl::recordEdit(ContentEdit edit)
{
    m_pendingEdits.append(std::move(edit));
    editPending();
}

void EditorControl::recordUnchangedWrite(int offset)
{
    // A write is a change even when it leaves the text as it was (an empty text written over
    // nothing), so it is coloured, recorded and flags the document like any other; the control
    // announcing the shared document's changes records it, whichever control was written.
    EditorControl &recorder = announcer();
    if (!recorder.m_reportsChanges)
        return;
    recorder.m_view->finishInsert();
    recorder.m_pendingEdits.append({offset, {}, {}});
}

void EditorControl::editPending()
{
    // Outside a batch the edit has not happened yet: announce it once it has.
    if (m_batchDepth == 0)
        QMetaObject::invokeMethod(this, &EditorControl::flushChange, Qt::QueuedConnection);
}

void EditorControl::flushChange()
{
    m_view->finishInsert();
    if (m_pendingEdits.isEmpty())
        return;
    m_lastEdits.swap(m_pendingEdits);
    m_pendingEdits.clear();
    m_view->inheritColours(m_lastEdits);
    emit Change();
    // The edits are only valid during Change; a large write should not stay in memory.
    m_lastEdits.clear();
}
