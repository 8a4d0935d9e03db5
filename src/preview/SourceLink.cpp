// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/SourceLink.h"

#include "editor/EditorControl.h"
#include "model/PageModelBuilder.h"
#include "preview/PreviewBrowser.h"
#include "previewui/SourceLinkOptions.h"
#include "preview/SourceLinkScript.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTabWidget>
#include <QWebEngineScriptCollection>

#include <algorithm>
#include <cmath>

namespace {

// How much of the text a start tag is looked for in: a tag is never this long in practice (a
// longer one is selected up to its name), and a click must not copy a whole page.
constexpr int tagLookAhead = 65536;

// A JavaScript expression for text.
QString scriptString(const QString &text)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)) + QStringLiteral("[0]");
}

} // namespace

SourceLink::SourceLink(EditorControl &r1, PageModelBuilder &model, SourceLinkOptions &options, PreviewBrowser &view, bool scrolls)
    : QObject(&view)
    , m_r1(r1)
    , m_model(model)
    , m_options(options)
    , m_view(&view)
    , m_scrolls(scrolls)
{
    m_rest.setSingleShot(true);
    m_rest.setInterval(restMs);
    connect(&m_rest, &QTimer::timeout, this, &SourceLink::outlineCaret);
    connect(&m_r1, &EditorControl::Change, this, [this] {
        m_copy.trail.record(m_r1.lastEdits());
        if (m_loading)
            m_loading->trail.record(m_r1.lastEdits());
    });
    connect(&m_r1, &EditorControl::CaretMoved, this, &SourceLink::restartRest);
    connect(&m_r1, &EditorControl::Scrolled, this, &SourceLink::editorScrolled);
    connect(&m_model, &PageModelBuilder::modelChanged, this, [this] {
        m_outlined = -1;
        restartRest();
    });
    connect(&m_options, &SourceLinkOptions::changed, this, &SourceLink::optionsChanged);
    connect(&view, &PreviewBrowser::pageChanged, this, &SourceLink::installScript);
    connect(&view, &PreviewBrowser::sourceClicked, this, &SourceLink::sourceClicked);
    connect(&view, &QWebEngineView::loadFinished, this, &SourceLink::loaded);
    installScript();
    optionsChanged();
}

void SourceLink::showing(const SourceMarks &marks)
{
    m_loading = Copy{marks.offsets(), m_r1.length(), EditTrail()};
}

bool SourceLink::linked() const
{
    return m_view && !m_copy.offsets.empty() && m_view->showsProgramPage();
}

void SourceLink::installScript()
{
    QWebEnginePage *page = m_view->page();
    page->scripts().insert(SourceLinkScript::script());
    connect(page, &QWebEnginePage::scrollPositionChanged, this, &SourceLink::previewScrolled);
    m_scrollingView = m_viewScrollWaits = m_readingView = m_editorScrollWaits = false;
    m_outlined = -1;
}

void SourceLink::optionsChanged()
{
    m_view->setSourceClicks(m_options.isOn(SourceLinkOptions::SourceClick));
    if (!m_options.isOn(SourceLinkOptions::Outline) && m_outlined >= 0)
        m_view->page()->runJavaScript(QStringLiteral("sourceLink.outline(-1, '')"), SourceLinkScript::worldId);
    m_outlined = -1;
    restartRest();
}

void SourceLink::restartRest()
{
    if (m_options.isOn(SourceLinkOptions::Outline))
        m_rest.start();
}

void SourceLink::outlineCaret()
{
    if (!m_view || !m_options.isOn(SourceLinkOptions::Outline))
        return;
    QString name;
    const int mark = linked() ? markedElementAtCaret(&name) : -1;
    if (mark == m_outlined)
        return;
    m_outlined = mark;
    m_view->page()->runJavaScript(QStringLiteral("sourceLink.outline(%1, %2)").arg(mark).arg(scriptString(name)),
                                  SourceLinkScript::worldId);
}

int SourceLink::markedElementAtCaret(QString *name) const
{
    const std::shared_ptr<const PageModel> model = m_model.model();
    const int offset = m_model.toModel(m_r1.SelStart());
    if (offset < 0)
        return -1;
    // Text, and an element the copy has no mark for, are shown by the element around them.
    for (int index = model->elementAt(offset); index >= 0; index = model->elements().at(index).parent) {
        const PageElement &element = model->elements().at(index);
        if (!element.hasStartTag())
            continue;
        const int marked = m_copy.trail.toPast(m_model.toCurrent(element.start));
        if (marked >= 0 && std::binary_search(m_copy.offsets.cbegin(), m_copy.offsets.cend(), marked)) {
            *name = model->name(element);
            return marked;
        }
    }
    return -1;
}

void SourceLink::sourceClicked(QPointF pos)
{
    if (!m_options.isOn(SourceLinkOptions::SourceClick) || !linked())
        return;
    const QPointF at = pos / m_view->zoomFactor();
    const QPointer<SourceLink> self(this);
    const quint64 shown = m_shown;
    m_view->page()->runJavaScript(QStringLiteral("sourceLink.offsetAt(%1, %2)").arg(at.x()).arg(at.y()), SourceLinkScript::worldId,
                                  [self, shown](const QVariant &answer) {
                                      bool ok = false;
                                      const double offset = answer.toDouble(&ok);
                                      if (self && shown == self->m_shown && ok && offset >= 0 && offset <= INT_MAX)
                                          self->selectStartTag(static_cast<int>(offset));
                                  });
}

void SourceLink::selectStartTag(int markedOffset)
{
    // Only a start tag the copy was marked at, and only if it is still there.
    if (!std::binary_search(m_copy.offsets.cbegin(), m_copy.offsets.cend(), markedOffset))
        return;
    const int start = m_copy.trail.toCurrent(markedOffset);
    const int length = m_r1.length();
    if (start < 0 || start + 1 >= length)
        return;
    const QString head = m_r1.textRange(start, std::min(length, start + tagLookAhead));
    if (head.at(0) != u'<' || !head.at(1).isLetter())
        return;
    qsizetype end = SourceMarks::tagEnd(head, 0);
    if (end < 0) {
        end = 1;
        while (end < head.size() && !head.at(end).isSpace() && head.at(end) != u'/' && head.at(end) != u'>')
            ++end;
    }
    m_r1.setSelection(start + static_cast<int>(end), start);
    focusEditor();
}

void SourceLink::focusEditor()
{
    // The Preview tab hides the editor behind it: the editor's tab comes to the front.
    QWidget *editor = m_r1.widget();
    for (QWidget *above = editor->parentWidget(); above; above = above->parentWidget()) {
        auto *tabs = qobject_cast<QTabWidget *>(above);
        if (!tabs)
            continue;
        for (int tab = 0; tab < tabs->count(); ++tab) {
            if (tabs->widget(tab)->isAncestorOf(editor))
                tabs->setCurrentIndex(tab);
        }
    }
    m_r1.SetFocus();
}

void SourceLink::loaded(bool ok)
{
    if (m_loading) {
        m_copy = std::move(*m_loading);
        m_loading.reset();
        ++m_shown;
    }
    m_scrollingView = m_viewScrollWaits = m_readingView = m_editorScrollWaits = false;
    m_outlined = -1;
    if (!ok)
        return;
    // A page shown again keeps the reader's place, as the engine puts it back: the editor's
    // scrolling moves it from there.
    restartRest();
}

void SourceLink::editorScrolled()
{
    const int top = m_r1.firstVisibleLine();
    if (top == std::exchange(m_editorEcho, -1))
        return;
    if (m_scrolls && m_options.isOn(SourceLinkOptions::ScrollSync))
        followEditor();
}

void SourceLink::followEditor()
{
    if (!linked())
        return;
    if (m_scrollingView) {
        m_viewScrollWaits = true;
        return;
    }
    // The first thing written on the top line, so that a tag indented there comes to the top.
    const int line = m_r1.firstVisibleLine();
    int offset = m_r1.lineStart(line);
    const QString text = m_r1.textRange(offset, std::min(m_r1.length(), offset + 256));
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t')
            break;
        ++offset;
    }
    const int marked = m_copy.trail.toPast(offset);
    if (marked < 0)
        return;
    m_scrollingView = true;
    const QPointer<SourceLink> self(this);
    const quint64 shown = m_shown;
    m_view->page()->runJavaScript(QStringLiteral("sourceLink.scrollToOffset(%1, %2)").arg(marked).arg(m_copy.textLength),
                                  SourceLinkScript::worldId, [self, shown](const QVariant &answer) {
                                      if (!self || shown != self->m_shown)
                                          return;
                                      self->m_scrollingView = false;
                                      bool ok = false;
                                      const double y = answer.toDouble(&ok);
                                      self->m_viewEcho = ok ? y : -1;
                                      if (std::exchange(self->m_viewScrollWaits, false))
                                          self->followEditor();
                                  });
}

void SourceLink::previewScrolled()
{
    if (!m_scrolls || !m_options.isOn(SourceLinkOptions::ScrollBothWays) || !linked() || m_scrollingView)
        return;
    const double y = m_view->page()->scrollPosition().y();
    if (m_viewEcho >= 0 && std::abs(y - std::exchange(m_viewEcho, -1)) < 2)
        return;
    followPreview();
}

void SourceLink::followPreview()
{
    if (m_readingView) {
        m_editorScrollWaits = true;
        return;
    }
    m_readingView = true;
    const QPointer<SourceLink> self(this);
    const quint64 shown = m_shown;
    m_view->page()->runJavaScript(QStringLiteral("sourceLink.offsetAtTop()"), SourceLinkScript::worldId,
                                  [self, shown](const QVariant &answer) {
                                      if (!self || shown != self->m_shown)
                                          return;
                                      self->m_readingView = false;
                                      bool ok = false;
                                      const double offset = answer.toDouble(&ok);
                                      const int current = ok && offset >= 0 && offset <= INT_MAX
                                                              ? self->m_copy.trail.toCurrent(static_cast<int>(offset))
                                                              : -1;
                                      if (current >= 0 && current <= self->m_r1.length()) {
                                          const int line = self->m_r1.lineAt(current);
                                          if (line != self->m_r1.firstVisibleLine()) {
                                              self->m_editorEcho = line;
                                              self->m_r1.setFirstVisibleLine(line);
                                          }
                                      }
                                      if (std::exchange(self->m_editorScrollWaits, false))
                                          self->followPreview();
                                  });
}
