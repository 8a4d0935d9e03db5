// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ContentEdit.h"
#include "editor/RichText.h"
#include "editor/ViewEvents.h"
#include "text/TextDecoding.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <utility>

class FileReader;
class QWidget;
class ScintillaView;

// The document's editing component (r1, and the never shown scratch rtbTemp).
//
// Offsets and lengths are zero-based UTF-16 code units of Text(), in which a CR LF line break
// counts two. Every change of the content (typing, deleting, the control's own paste, every write
// of Text, TextRTF or SelText, LoadFile, even one that leaves the text as it was) raises Change
// exactly once, synchronously, before the call that made it returns; caret, selection and colour
// changes raise nothing. Written texts are taken as they are: line breaks are not converted.
class EditorControl : public QObject, private ViewEvents
{
    Q_OBJECT

public:
    // Option bits of Find.
    enum FindOption { WholeWord = 2, MatchCase = 4, NoHighlight = 8 };

    // The colours a range can have; Plain is what newly written text gets.
    enum class Colour { Plain = 0, Base = 1, Markup = 2, Comment = 3 };

    explicit EditorControl(QWidget *parent = nullptr);
    ~EditorControl() override;

    EditorControl(const EditorControl &) = delete;
    EditorControl &operator=(const EditorControl &) = delete;

    // The widget to place in a layout.
    QWidget *widget() const;

    QString Text() const;
    void setText(const QString &text);

    RichText TextRTF() const;
    void setTextRTF(const RichText &content);

    int SelStart() const;
    void setSelStart(int offset);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString &text);

    // Colours the selected characters; raises no Change.
    void setSelColor(Colour colour);

    // Offset of the first match at or after start and before end (-1: to the end of the text),
    // or -1. Without NoHighlight a match becomes the selection. An empty text is never found.
    int Find(const QString &text, int start, int end = -1, int options = 0);

    // Replaces the content with the file's text (see TextDecoding). False, with the content and
    // no Change, when the file cannot be read or is not text.
    bool LoadFile(const QString &path);

    struct LoadResult {
        bool ok = false;
        QString error; // why the file cannot be read or is no text, for the user
        TextFormat format;
    };
    // Replaces the content with the text of the file reader reads, decoded as decodeDocument
    // decodes it. The text goes a piece at a time into a new document, which takes the place of
    // the content only once the whole file has been read and found to be text: the page is never
    // held whole in any other form. Not ok, with the content as it was and no Change, otherwise.
    // The change it raises is one edit that holds no copy of the loaded text (see ContentEdit).
    LoadResult load(FileReader &reader);

    // Gives the control the input focus, activating its window when another window is active;
    // false when the window cannot take it (hidden, disabled, behind a modal dialog).
    bool SetFocus();

    // The one rule of Find's whole-word option: letters, digits, marks and "_" make up words.
    static bool isWordCharacter(char32_t c);
    // Whether text's [at, at + length) is not cut out of a longer word: no word character of it
    // touches a word character just before or after it.
    static bool isWholeWordAt(const QString &text, qsizetype at, qsizetype length);

    // Cheap reads that do not build the whole text.
    int length() const;
    QString textRange(int start, int end) const;
    Colour colourAt(int offset) const;
    bool overwriteMode() const;

    // The colours of [start, end) and a bulk repaint from start, one entry per UTF-16 unit
    // (a Colour value). Fast paths for the colouring; neither raises Change.
    QByteArray colours(int start, int end) const;
    void setColours(int start, const QByteArray &colours);

    // Applies the edits in order as one change of the content, then leaves the caret at 0 with
    // nothing selected, as a write of the whole content does. Each edit's offset is in the text
    // as the previous edits left it.
    void applyEdits(const QList<ContentEdit> &edits);

    // Makes this control show other's document: content and colours are then shared, while each
    // control keeps its own caret and selection. Changes are then announced by other only, for
    // writes through either control alike.
    void shareDocumentWith(EditorControl &other);

    // The edits of the change being announced; valid while Change is being handled.
    const QList<ContentEdit> &lastEdits() const;
    // The edits made so far of the change not announced yet; valid while UserEdit is handled.
    const QList<ContentEdit> &pendingEdits();

    // -- Aids to editing markup (the page model's): none of this raises Change by itself.

    // The whole text as UTF-8, copied straight from the document (no UTF-16 copy on the way).
    QByteArray utf8Text() const;
    // The text's length in UTF-8 bytes, and the bytes [from, from + length) of it where the
    // document keeps them: valid until the document next changes or is read again. Clipped to
    // the text, and possibly shorter (never empty before the text's end): a large text is read
    // a piece at a time this way, moving and copying none of it.
    qint64 utf8Length() const;
    QByteArrayView utf8Piece(qint64 from, qint64 length) const;

    // Marks drawn over ranges of the text (offset, length), apart from its colours; the ranges
    // move with the text as it is edited. Setting a mark's ranges replaces its old ones.
    enum class Mark { Error = 0, Warning = 1, Partner = 2 };
    void setMarks(Mark mark, const QList<std::pair<int, int>> &ranges);
    QList<std::pair<int, int>> marks(Mark mark) const;

    // Replaces [offset, offset + length) with text as one edit, leaving the caret where the text
    // around it puts it: an edit before the caret moves it, one at or after it does not.
    void replaceRange(int offset, int length, const QString &text);

    // A list of choices at the caret for the typedLength characters before it, matched to
    // what is typed with or without regard to case; Enter or a double-click picks one
    // (ChoiceMade), Escape closes it. Nothing is written by the list.
    void showChoices(int typedLength, const QStringList &choices, Qt::CaseSensitivity matching);
    bool choicesShown() const;
    void closeChoices();

    // Lines, numbered from 0 (the margin shows them from 1), and the line-number margin.
    int lineCount() const;
    // The line holding offset.
    int lineAt(int offset) const;
    // The offset of line's first character; a line beyond either end is taken as that end's.
    int lineStart(int line) const;
    // Puts the caret at the start of line, with nothing selected, and scrolls it into view.
    void goToLine(int line);
    // The line shown at the top of the view, and scrolling a line there (as far as the text
    // reaches); the caret stays where it is.
    int firstVisibleLine() const;
    void setFirstVisibleLine(int line);
    // Selects from anchor to caret (either may come first), the caret scrolled into view.
    void setSelection(int anchor, int caret);
    // The margin is hidden at first; shown, it is as wide as the highest line number needs.
    void setLineNumbersShown(bool shown);
    bool lineNumbersShown() const;

signals:
    void Change();
    void KeyUp();
    void MouseUp();
    void LostFocus();
    // The user's key or input method edited the text; pendingEdits() holds the edits, and
    // what a handler writes joins the same change (so one undo step takes both back).
    void UserEdit();
    void ChoiceMade(const QString &choice);
    // The caret or the selection moved, by any means (keys, mouse, the program, an edit); raised
    // after the view has been updated, not once per step of a multi-step move.
    void CaretMoved();
    // The top line shown changed.
    void Scrolled();

private:
    // Every content notification raised while a Batch lives ends in the one Change it raises
    // when the outermost Batch ends (on the control announcing the shared document's changes).
    using Batch = ViewEvents::Batch;

    // The control whose batches group this control's writes: the one announcing the changes of
    // the document they share.
    EditorControl &announcer();

    // What the view reports.
    bool reportsChanges() const override;
    const ScintillaView &recordingView() const override;
    void recordEdit(ContentEdit edit) override;
    void recordUnchangedWrite(int offset) override;
    void editPending() override;
    int selectionStart() const override;
    void beginBatch() override;
    void endBatch() override;
    void userEdited() override;
    void viewUpdated(bool caretMoved, bool scrolled) override;
    void keyUp() override;
    void mouseUp() override;
    void lostFocus() override;

    // Widens or narrows the line-number margin to the digits of the line count.
    void fitLineNumberMargin();

    static int markIndicator(Mark mark);
    int findFolded(const QString &text, int start, int stop, int options);
    bool isWholeWordInDocument(int at, int length) const;
    void flushChange();

    QPointer<ScintillaView> m_view;
    QPointer<EditorControl> m_announcer;
    QList<ContentEdit> m_pendingEdits;
    QList<ContentEdit> m_lastEdits;
    int m_batchDepth = 0;
    bool m_reportsChanges = true;
    int m_lineNumberDigits = 0; // 0 while the margin is hidden
};
