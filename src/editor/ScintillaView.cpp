// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ScintillaView.h"

#include "editor/ContentEdit.h"
#include "editor/ViewEvents.h"
#include "text/DocumentDecoder.h"
#include "text/FileReader.h"

#include <QAccessible>
#include <QAction>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <ILoader.h>

#include <memory>

namespace {

// The component's own key bindings that stay: moving the caret, selecting, deleting, Enter, Tab,
// Insert (overwrite) and Ctrl+V (its own paste). Every other binding is cleared, so the menus'
// shortcuts reach the menus and no key does what no menu offers (changing case, duplicating or
// swapping lines, its own undo, zoom, rectangular selections).
bool isKeptKey(int key)
{
    static const QList<int> kept = [] {
        QList<int> keys;
        for (const Qt::Key base : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End,
                                   Qt::Key_PageUp, Qt::Key_PageDown}) {
            keys << QKeyCombination(base).toCombined() << (Qt::SHIFT | base).toCombined();
        }
        for (const Qt::Key base : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End})
            keys << (Qt::CTRL | base).toCombined();
        for (const Qt::Key base : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End})
            keys << (Qt::CTRL | Qt::SHIFT | base).toCombined();
        keys << QKeyCombination(Qt::Key_Backspace).toCombined() << (Qt::SHIFT | Qt::Key_Backspace).toCombined()
             << QKeyCombination(Qt::Key_Delete).toCombined() << (Qt::CTRL | Qt::Key_Backspace).toCombined()
             << (Qt::CTRL | Qt::Key_Delete).toCombined() << QKeyCombination(Qt::Key_Return).toCombined()
             << (Qt::SHIFT | Qt::Key_Return).toCombined() << QKeyCombination(Qt::Key_Tab).toCombined()
             << QKeyCombination(Qt::Key_Insert).toCombined() << (Qt::CTRL | Qt::Key_V).toCombined()
             << (Qt::SHIFT | Qt::Key_Insert).toCombined();
        return keys;
    }();
    return kept.contains(key);
}

// Gives up a loader's document unless it was handed on.
struct LoaderRelease {
    void operator()(ILoader *loader) const { loader->Release(); }
};
using LoaderPointer = std::unique_ptr<ILoader, LoaderRelease>;

QFont editorFont()
{
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    if (!QFontDatabase::families().contains(font.family()))
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(8.25);
    return font;
}

// QScintilla's accessible counts the characters from the start of the document to the caret at
// every caret move: tens of milliseconds a key at the end of a large page. Qt makes an accessible
// for a widget whenever its name or state changes, even with no assistive technology listening;
// the editor then gets this plain one, and QScintilla's full text interface once one listens.
class PlainEditorAccessible : public QAccessibleWidget
{
public:
    explicit PlainEditorAccessible(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::EditableText)
    {
        instances().append(this);
    }
    ~PlainEditorAccessible() override { instances().removeOne(this); }

    static QList<PlainEditorAccessible *> &instances()
    {
        static QList<PlainEditorAccessible *> all;
        return all;
    }
};

QAccessibleInterface *plainEditorAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String(ScintillaView::staticMetaObject.className()) || QAccessible::isActive())
        return nullptr;
    return new PlainEditorAccessible(static_cast<QWidget *>(object));
}

// Once assistive technology listens, the plain accessibles go; the next query makes QScintilla's.
class AccessibilityWatch : public QAccessible::ActivationObserver
{
public:
    void accessibilityActiveChanged(bool active) override
    {
        if (!active)
            return;
        const QList<PlainEditorAccessible *> plain = PlainEditorAccessible::instances();
        for (PlainEditorAccessible *accessible : plain)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(accessible));
    }
};

// After QScintilla's own factory, so that this one is asked first.
void installPlainAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(plainEditorAccessible);
        static AccessibilityWatch watch;
        QAccessible::installActivationObserver(&watch);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

ScintillaView::ScintillaView(ViewEvents &events, QWidget *parent)
    : QsciScintilla(parent)
    , m_events(events)
{
    setUtf8(true);
    setEolMode(QsciScintilla::EolWindows);
    // Wrapping makes every large write re-lay out the whole page (seconds on a 10 MB page).
    setWrapMode(QsciScintilla::WrapNone);
    // The horizontal scroll bar appears only once a line is wider than the view.
    send(SCI_SETSCROLLWIDTH, 1);
    send(SCI_SETSCROLLWIDTHTRACKING, 1);
    // Every change of a line measures all of it again, and only the pieces found in this cache
    // are not shaped anew. A 1 MB page on a single line has tens of thousands of pieces; the cache
    // is two-way associative, so it needs room for several times that (about 2 MB of slots, and
    // the pieces it keeps: about 2 MB for that page).
    send(SCI_SETPOSITIONCACHE, 131072);
    setMarginWidth(1, 0);
    // QsciScintilla counts the column of the caret after every key or caret move, walking the
    // line from its start, to announce a cursor position no one here listens to (nor does it
    // match braces): a large part of a key at the end of a page that is one long line.
    disconnect(this, SIGNAL(SCN_UPDATEUI(int)), this, SLOT(handleUpdateUI(int)));
    installPlainAccessible();
    setAccessibleName(tr("Editor"));
    send(SCI_SETUNDOCOLLECTION, 0);
    send(SCI_SETPASTECONVERTENDINGS, 1);
    send(SCI_USEPOPUP, 0);
    send(SCI_SETMODEVENTMASK, SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE);
    send(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);

    const QFont font = editorFont();
    const QColor colours[] = {Qt::black, QColor(0x99, 0x00, 0x00), QColor(0x00, 0x00, 0xCC), QColor(0x00, 0x80, 0x00)};
    for (int style = 0; style < 4; ++style) {
        SendScintilla(SCI_STYLESETFONT, static_cast<unsigned long>(style), font.family().toUtf8().constData());
        send(SCI_STYLESETSIZEFRACTIONAL, static_cast<unsigned long>(style), static_cast<long>(font.pointSizeF() * 100));
        SendScintilla(SCI_STYLESETFORE, static_cast<unsigned long>(style), colours[style]);
    }
    SendScintilla(SCI_STYLESETFONT, STYLE_DEFAULT, font.family().toUtf8().constData());
    send(SCI_STYLESETSIZEFRACTIONAL, STYLE_DEFAULT, static_cast<long>(font.pointSizeF() * 100));

    for (QsciCommand *command : standardCommands()->commands()) {
        if (!isKeptKey(command->key()))
            command->setKey(0);
        if (!isKeptKey(command->alternateKey()))
            command->setAlternateKey(0);
    }

    // Edits are reported before they happen: QScintilla answers the after-the-fact notifications
    // with work proportional to the position in the document, which large pages cannot afford.
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char *, int length, int, int, int, int, int, int) {
                if (!m_events.reportsChanges())
                    return;
                finishInsert();
                if (type & SC_MOD_BEFOREDELETE) {
                    QByteArray removed(length + 1, Qt::Uninitialized);
                    SendScintilla(SCI_GETTEXTRANGE, position, position + length, removed.data());
                    removed.truncate(length);
                    const int offset = toOffset(position);
                    const QString removedText = textFromUtf8(removed);
                    shiftLandmarks(position, length, removedText.size(), false);
                    m_events.recordEdit({offset, removedText, {}});
                } else if (type & SC_MOD_BEFOREINSERT) {
                    // The text is not in the document yet, nor given with the notice: it is read
                    // once it is there, before the next edit or when the change is announced.
                    m_pendingInsert = {position, length, toOffset(position)};
                    m_events.editPending();
                }
            });
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        m_events.viewUpdated((updated & SC_UPDATE_SELECTION) != 0, (updated & SC_UPDATE_V_SCROLL) != 0);
    });
    // No lexer: the colours are painted by the change handling. Mark what Scintilla asks about
    // as styled so it keeps the colours it has.
    connect(this, &QsciScintillaBase::SCN_STYLENEEDED, this,
            [this](int position) { send(SCI_STARTSTYLING, static_cast<unsigned long>(position)); });
}

void ScintillaView::finishInsert(const QString *written) const
{
    if (m_pendingInsert.position < 0)
        return;
    const PendingInsert insert = std::exchange(m_pendingInsert, PendingInsert());
    const QString text = written ? *written : textBetween(insert.position, insert.position + insert.length);
    shiftLandmarks(insert.position, insert.length, text.size(), true);
    m_events.recordEdit({insert.offset, {}, text});
}

void ScintillaView::inheritColours(const QList<ContentEdit> &edits)
{
    // Inserted text takes the colour of the character before it, as in a rich text box; the
    // change handling then repaints around the caret. Later edits move an insertion's place.
    for (qsizetype i = 0; i < edits.size(); ++i) {
        const ContentEdit &insert = edits.at(i);
        if (insert.insertedLength() == 0)
            continue;
        int offset = insert.offset;
        bool overwritten = false;
        for (qsizetype j = i + 1; j < edits.size(); ++j) {
            const ContentEdit &later = edits.at(j);
            if (later.offset <= offset)
                offset += static_cast<int>(later.insertedLength() - later.removed.size());
            else if (later.offset < offset + insert.insertedLength())
                overwritten = true;
        }
        if (overwritten || offset <= 0)
            continue;
        const long from = toPosition(offset);
        const long to = toPosition(offset + insert.insertedLength());
        const long style = send(SCI_GETSTYLEAT, static_cast<unsigned long>(from - 1));
        send(SCI_STARTSTYLING, static_cast<unsigned long>(from));
        send(SCI_SETSTYLING, static_cast<unsigned long>(to - from), style);
    }
}

QString ScintillaView::textBetween(long from, long to) const
{
    return to > from ? textFromUtf8(QByteArrayView(bytesAt(from, to), to - from)) : QString();
}

const ScintillaView &ScintillaView::recorder() const
{
    return m_events.recordingView();
}

long ScintillaView::toPosition(int offset) const
{
    recorder().finishInsert();
    const int total = utf16Length();
    // The end needs no counting, however long the last line is.
    if (offset >= total)
        return send(SCI_GETLENGTH);
    offset = std::max(offset, 0);
    const long line = send(SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(offset), SC_LINECHARACTERINDEX_UTF16);
    const long lineOffset = send(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), SC_LINECHARACTERINDEX_UTF16);
    const long linePosition = send(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    long position = linePosition + (offset - lineOffset);
    if (!isAsciiLine(line)) {
        const bool fromLandmark = useLandmark(line, offset - lineOffset, std::abs(offset - m_landmark.offset));
        const long from = fromLandmark ? m_landmark.position : linePosition;
        const long fromOffset = fromLandmark ? m_landmark.offset : lineOffset;
        position = send(SCI_POSITIONRELATIVECODEUNITS, static_cast<unsigned long>(from), offset - fromOffset);
        long landmarkOffset = offset;
        // An offset between the two halves of a surrogate pair has no position (Scintilla
        // answers 0): take the pair's start.
        if (offset > 0 && position == 0) {
            position = send(SCI_POSITIONRELATIVECODEUNITS, static_cast<unsigned long>(from), offset - fromOffset - 1);
            landmarkOffset = offset - 1;
        }
        m_landmark = {position, landmarkOffset};
    }
    // Nothing may start or end between the CR and the LF of a line break: the text would lose
    // its CR LF, and Scintilla's UTF-16 index goes wrong on such edits.
    if (position > 0 && send(SCI_GETCHARAT, static_cast<unsigned long>(position)) == '\n' &&
        send(SCI_GETCHARAT, static_cast<unsigned long>(position - 1)) == '\r')
        --position;
    return position;
}

int ScintillaView::toOffset(long position) const
{
    recorder().finishInsert();
    const long line = send(SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    const long lineOffset = send(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), SC_LINECHARACTERINDEX_UTF16);
    const long linePosition = send(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    if (isAsciiLine(line))
        return static_cast<int>(lineOffset + (position - linePosition));
    long offset = 0;
    if (useLandmark(line, position - linePosition, std::abs(position - m_landmark.position))) {
        offset = position >= m_landmark.position
                     ? m_landmark.offset + send(SCI_COUNTCODEUNITS, static_cast<unsigned long>(m_landmark.position), position)
                     : m_landmark.offset - send(SCI_COUNTCODEUNITS, static_cast<unsigned long>(position), m_landmark.position);
    } else {
        offset = lineOffset + send(SCI_COUNTCODEUNITS, static_cast<unsigned long>(linePosition), position);
    }
    m_landmark = {position, offset};
    return static_cast<int>(offset);
}

bool ScintillaView::useLandmark(long line, long distanceFromLineStart, long distanceFromLandmark) const
{
    return m_landmark.position >= 0 && distanceFromLandmark < distanceFromLineStart &&
           send(SCI_LINEFROMPOSITION, static_cast<unsigned long>(m_landmark.position)) == line;
}

void ScintillaView::moveLandmark(long position, long bytes, qsizetype units, bool inserted) const
{
    if (m_landmark.position <= position)
        return;
    if (inserted) {
        m_landmark.position += bytes;
        m_landmark.offset += static_cast<long>(units);
    } else if (m_landmark.position >= position + bytes) {
        m_landmark.position -= bytes;
        m_landmark.offset -= static_cast<long>(units);
    } else {
        m_landmark.position = -1;
    }
}

void ScintillaView::shiftLandmarks(long position, long bytes, qsizetype units, bool inserted) const
{
    moveLandmark(position, bytes, units, inserted);
    for (const QPointer<ScintillaView> &scratch : std::as_const(m_scratchViews)) {
        if (scratch)
            scratch->moveLandmark(position, bytes, units, inserted);
    }
}

void ScintillaView::addScratch(ScintillaView &view)
{
    m_scratchViews.append(&view);
}

ScintillaView::Loading ScintillaView::loadDocument(FileReader &reader)
{
    Loading loading;
    if (!reader.isOpen() || reader.tooLarge()) {
        loading.error = reader.error();
        return loading;
    }
    constexpr qsizetype PieceSize = qsizetype(1) << 20;
    QByteArray piece(PieceSize, Qt::Uninitialized);
    QByteArray text;
    DocumentDecoder decoder;
    LoaderPointer loader;
    qint64 read = 0; // bytes read in this pass over the file
    for (;;) {
        const qsizetype n = reader.read(piece.data(), PieceSize);
        if (n < 0) {
            loading.error = reader.error();
            return loading;
        }
        read += n;
        const DocumentDecoder::Status status =
            n > 0 ? decoder.feed(QByteArrayView(piece.constData(), n), text) : decoder.finish(text);
        if (status == DocumentDecoder::Status::Failed) {
            loading.error = decoder.error();
            return loading;
        }
        if (status == DocumentDecoder::Status::Restart) {
            // The file is read again, in the way the decoder has now learnt.
            loader.reset();
            text.resize(0);
            read = 0;
            if (!reader.rewind()) {
                loading.error = reader.error();
                return loading;
            }
            continue;
        }
        if (!loader && (!text.isEmpty() || n == 0)) {
            // The document is made as large as the first piece promises for the whole file, with
            // room to type into, so that neither loading nor the first keys move it.
            const qint64 expected = read > 0 ? text.size() * std::max(reader.size(), read) / read : 0;
            const qint64 room = std::min<qint64>(expected / 8, 256 * 1024) + expected / 128;
            loader.reset(reinterpret_cast<ILoader *>(
                send(SCI_CREATELOADER, static_cast<unsigned long>(expected + room), SC_DOCUMENTOPTION_DEFAULT)));
        }
        if (!text.isEmpty() && loader->AddData(text.constData(), text.size()) != SC_STATUS_OK) {
            loading.error = QStringLiteral("there is not enough memory to hold it");
            return loading;
        }
        text.resize(0);
        if (n == 0)
            break;
    }
    loading.document = loader.release()->ConvertToDocument();
    loading.format = decoder.format();
    return loading;
}

int ScintillaView::showDocument(void *document)
{
    takeDocument(document);
    for (const QPointer<ScintillaView> &scratch : std::as_const(m_scratchViews)) {
        if (scratch)
            scratch->takeDocument(document);
    }
    // The views hold the document now; the loader's reference goes.
    SendScintilla(SCI_RELEASEDOCUMENT, 0ul, document);
    return utf16Length();
}

void ScintillaView::takeDocument(void *document)
{
    // These settings belong to the document in Scintilla, not to the view.
    const long codePage = send(SCI_GETCODEPAGE);
    const long eolMode = send(SCI_GETEOLMODE);
    const long tabWidth = send(SCI_GETTABWIDTH);
    const long indent = send(SCI_GETINDENT);
    const long useTabs = send(SCI_GETUSETABS);
    m_pendingInsert = PendingInsert();
    m_landmark = Landmark();
    SendScintilla(SCI_SETDOCPOINTER, 0ul, document);
    send(SCI_SETCODEPAGE, static_cast<unsigned long>(codePage));
    send(SCI_SETEOLMODE, static_cast<unsigned long>(eolMode));
    send(SCI_SETTABWIDTH, static_cast<unsigned long>(tabWidth));
    send(SCI_SETINDENT, static_cast<unsigned long>(indent));
    send(SCI_SETUSETABS, static_cast<unsigned long>(useTabs));
    send(SCI_SETUNDOCOLLECTION, 0);
    send(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
    // A new page is shown from its start, as after any write of the whole text.
    send(SCI_SETFIRSTVISIBLELINE, 0);
    send(SCI_SETXOFFSET, 0);
}

int ScintillaView::utf16Length() const
{
    const long lines = send(SCI_GETLINECOUNT);
    return static_cast<int>(send(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(lines), SC_LINECHARACTERINDEX_UTF16));
}

bool ScintillaView::isAsciiLine(long line) const
{
    const long bytes = send(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1)) -
                       send(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long units = send(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line + 1), SC_LINECHARACTERINDEX_UTF16) -
                       send(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), SC_LINECHARACTERINDEX_UTF16);
    return bytes == units;
}

void ScintillaView::inputMethodEvent(QInputMethodEvent *event)
{
    const bool committed = !event->commitString().isEmpty();
    QsciScintilla::inputMethodEvent(event);
    if (committed)
        m_events.userEdited();
}

bool ScintillaView::event(QEvent *event)
{
    // The component's handling of one event is one change, however many edits it makes.
    const ViewEvents::Batch batch(m_events);
    return QsciScintilla::event(event);
}

bool ScintillaView::viewportEvent(QEvent *event)
{
    bool handled = false;
    {
        const ViewEvents::Batch batch(m_events);
        handled = QsciScintilla::viewportEvent(event);
    }
    if (event->type() == QEvent::MouseButtonRelease)
        m_events.mouseUp();
    return handled;
}

void ScintillaView::keyPressEvent(QKeyEvent *event)
{
    // A key with text (Ctrl+Space) reaches the view before the shortcut of one of its own
    // actions gets it: it triggers the action instead of being typed.
    const QKeySequence pressed(event->keyCombination());
    const QList<QAction *> own = actions();
    for (QAction *action : own) {
        if (action->isEnabled() && action->shortcut() == pressed) {
            action->trigger();
            event->accept();
            return;
        }
    }
    // While a list of choices is open, Enter, Escape and the arrows work the list and edit
    // nothing; a typed character goes on into the text.
    if (send(SCI_AUTOCACTIVE)) {
        if (event->key() == Qt::Key_Escape) {
            send(SCI_AUTOCCANCEL);
            event->accept();
            return;
        }
        QsciScintilla::keyPressEvent(event);
        if (!event->text().isEmpty() && event->text().front().isPrint())
            m_events.userEdited();
        return;
    }
    typeKey(event);
    if (event->isAccepted())
        m_events.userEdited();
}

void ScintillaView::typeKey(QKeyEvent *event)
{
    // The control's own paste of an empty clipboard over nothing selected changes no text, but it
    // is a write like any other paste.
    const bool paste = event->keyCombination() == (Qt::CTRL | Qt::Key_V) || event->keyCombination() == (Qt::SHIFT | Qt::Key_Insert);
    const bool emptyPaste = paste && !hasSelectedText() && QApplication::clipboard()->text().isEmpty();
    if (emptyPaste)
        m_events.recordUnchangedWrite(m_events.selectionStart());
    const QString text = event->text();
    if (text.size() <= 1) {
        QsciScintilla::keyPressEvent(event);
        return;
    }
    // The component takes a key's text for one character of the basic plane: it drops one
    // beyond it and throws on more than one, which ends the program. Such text is typed as an
    // input method's would be, a character at a time.
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QsciScintilla::inputMethodEvent(&typed);
    event->accept();
}

void ScintillaView::keyReleaseEvent(QKeyEvent *event)
{
    QsciScintilla::keyReleaseEvent(event);
    m_events.keyUp();
}

void ScintillaView::focusOutEvent(QFocusEvent *event)
{
    QsciScintilla::focusOutEvent(event);
    // Opening a menu is no loss of focus to the user.
    if (event->reason() != Qt::PopupFocusReason)
        m_events.lostFocus();
}
