// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/EditTrail.h"
#include "previewui/SourceMarks.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>

class EditorControl;
class PageModelBuilder;
class PreviewBrowser;
class SourceLinkOptions;

// Links one preview view to the editor's source. The copy the view loads carries the offset of
// each start tag (SourceMarks); offsets of an older copy go through the edits made since
// (EditTrail) before they touch the text, and any offset the view answers is taken only if it is
// one the copy was marked with and still starts a tag, so a page that forges the marks can at
// most put the caret on one of its own start tags.
//
// - When the caret has rested restMs, the element around it (by the page model) is outlined in
//   the view, scrolled into sight if it is not.
// - A Ctrl+click in the view selects the start tag of the element under it in the editor, with
//   the caret at its "<", and gives the editor the focus.
// - With scrolling on, the view scrolls with the editor so that the source at the editor's top
//   line is at the view's top; both ways, the editor follows the view as well. A scroll one side
//   makes because the other scrolled is not followed back.
class SourceLink : public QObject
{
    Q_OBJECT

public:
    static constexpr int restMs = 50;

    // scrolls: the view may follow the editor's scrolling (the preview window's does).
    SourceLink(EditorControl &r1, PageModelBuilder &model, SourceLinkOptions &options, PreviewBrowser &view, bool scrolls);

    // The view is about to load a copy marked so, made from the text as it is now; an empty
    // SourceMarks for a page that is not the document's.
    void showing(const SourceMarks &marks);

private:
    void installScript();
    void optionsChanged();
    void restartRest();
    void outlineCaret();
    // The element of the copy to outline for the caret: its mark and name, or -1.
    int markedElementAtCaret(QString *name) const;
    void sourceClicked(QPointF pos);
    void selectStartTag(int markedOffset);
    void loaded(bool ok);
    // Shows the editor if a tab in front hides it, and gives it the focus.
    void focusEditor();
    void editorScrolled();
    void followEditor();
    void previewScrolled();
    void followPreview();
    bool linked() const;

    EditorControl &m_r1;
    PageModelBuilder &m_model;
    SourceLinkOptions &m_options;
    QPointer<PreviewBrowser> m_view;
    bool m_scrolls = false;
    // What a copy of the text was marked with, and the edits made since it was written.
    struct Copy {
        std::vector<int> offsets;
        int textLength = 0;
        EditTrail trail;
    };
    // The copy the view shows, and the one it is loading (which takes its place once loaded,
    // as the view answers for the one it shows until then).
    Copy m_copy;
    std::optional<Copy> m_loading;
    // Counts the copies shown, so an answer about an older one is dropped.
    quint64 m_shown = 0;
    QTimer m_rest;
    int m_outlined = -1;
    // A scroll request is on its way to the view, or back; another one waits for it.
    bool m_scrollingView = false;
    bool m_viewScrollWaits = false;
    bool m_readingView = false;
    bool m_editorScrollWaits = false;
    // Where our own last scroll put the view (CSS pixels) and the editor (top line), so the
    // scroll each side reports back is not followed again.
    double m_viewEcho = -1;
    int m_editorEcho = -1;
};
