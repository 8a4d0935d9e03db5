// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TextDecoding.h"

#include <QList>
#include <QPointer>
#include <Qsci/qsciscintilla.h>

class FileReader;
class ViewEvents;
struct ContentEdit;

// The QsciScintilla widget behind an editor control. It groups the content notifications that one
// user action causes (typing over a selection deletes and inserts) into a single Change, and turns
// the widget's key, mouse and focus events into the control's events.
class ScintillaView : public QsciScintilla
{
    Q_OBJECT

public:
    ScintillaView(ViewEvents &events, QWidget *parent);

    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const
    {
        return SendScintilla(message, wParam, lParam);
    }
    using QsciScintillaBase::SendScintilla;

    // The bytes [from, to) where the document keeps them, valid until the next call: no copy
    // of a large range on its way to a QString.
    const char *bytesAt(long from, long to) const
    {
        return reinterpret_cast<const char *>(send(SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), to - from));
    }
    QString textBetween(long from, long to) const;

    // Conversions between the control's UTF-16 offsets and Scintilla's byte positions.
    long toPosition(int offset) const;
    int toOffset(long position) const;
    int utf16Length() const;

    // Records the insertion announced last, now that its text is in the document. A caller that
    // inserted text itself may pass it, for it is then the insertion's text; a large write is
    // then not read back and converted again.
    void finishInsert(const QString *written = nullptr) const;

    // Gives inserted text the colour of the character before it.
    void inheritColours(const QList<ContentEdit> &edits);

    // view shows this view's document as a scratch view; this view keeps its landmark in place.
    void addScratch(ScintillaView &view);

    // A file read into a new document that no view shows yet; null, with error set for the user,
    // when the file cannot be read or is no text.
    struct Loading {
        void *document = nullptr;
        QString error;
        TextFormat format;
    };
    Loading loadDocument(FileReader &reader);
    // Shows a loaded document here and in the scratch views, in place of the one they share,
    // which is freed. Returns the loaded text's length in UTF-16 units.
    int showDocument(void *document);

protected:
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The view whose notices record the edits of the document, this one or the view it shares
    // the document with. Its insertion in progress moves the landmarks of both views.
    const ScintillaView &recorder() const;
    bool isAsciiLine(long line) const;
    void typeKey(QKeyEvent *event);
    // The landmark when it lies on line and nearer to the target than the line's start.
    bool useLandmark(long line, long distanceFromLineStart, long distanceFromLandmark) const;
    void moveLandmark(long position, long bytes, qsizetype units, bool inserted) const;
    void shiftLandmarks(long position, long bytes, qsizetype units, bool inserted) const;
    // Takes document in place of the one shown, with the settings the old one had.
    void takeDocument(void *document);

    // A position whose offset is known. On a line with characters beyond ASCII the conversions
    // count code units; they count from here when it is nearer than the line's start, which
    // keeps the work around the caret small on a page that is one long line.
    struct Landmark {
        long position = -1;
        long offset = 0;
    };

    struct PendingInsert {
        long position = -1;
        long length = 0;
        int offset = 0;
    };

    ViewEvents &m_events;
    mutable PendingInsert m_pendingInsert;
    mutable Landmark m_landmark;
    QList<QPointer<ScintillaView>> m_scratchViews;
};
