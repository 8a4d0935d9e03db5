// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TagAids.h"

#include "editor/EditorControl.h"
#include "model/HtmlKnowledge.h"
#include "model/PageModelBuilder.h"
#include "reference/TagTable.h"

#include <QAction>
#include <QRegularExpression>
#include <QSettings>
#include <QWidget>

#include <utility>

namespace {

// How far back the aids look for the tag the caret is in: a tag is never this long in practice,
// and a page that is one long line must not be read whole on a key.
constexpr int LookBehind = 4096;

const char *const settingKeys[] = {"editing/aids/pairedTags", "editing/aids/autoClose", "editing/aids/linkedRename",
                                   "editing/aids/completion"};

bool isNameText(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':' || c == u'.'; });
}

// The start of the run of name characters that ends at end of text.
qsizetype wordStart(const QString &text, qsizetype end)
{
    qsizetype start = end;
    while (start > 0 && isNameText(text.mid(start - 1, 1)))
        --start;
    return start;
}

} // namespace

TagAids::TagAids(EditorControl &r1, PageModelBuilder &builder, QObject *parent)
    : QObject(parent)
    , m_r1(r1)
    , m_builder(builder)
    , m_jump(new QAction(tr("Jump to Paired Tag"), this))
    , m_complete(new QAction(tr("Complete"), this))
{
    const QString titles[] = {tr("Box Paired Tags"), tr("Close Tags While Typing"), tr("Rename Paired Tags Together"),
                              tr("Offer Completions")};
    for (int aid = 0; aid < AidCount; ++aid) {
        m_enabled[aid] = QSettings().value(QLatin1String(settingKeys[aid]), true).toBool();
        m_toggles[aid] = new QAction(titles[aid], this);
        m_toggles[aid]->setCheckable(true);
        m_toggles[aid]->setChecked(m_enabled[aid]);
        connect(m_toggles[aid], &QAction::toggled, this, [this, aid](bool on) { setEnabled(static_cast<Aid>(aid), on); });
    }
    m_jump->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m_complete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space));
    // The editor's own shortcuts: they act only while it has the focus.
    for (QAction *action : {m_jump, m_complete}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        m_r1.widget()->addAction(action);
    }
    connect(m_jump, &QAction::triggered, this, &TagAids::jumpToPartner);
    connect(m_complete, &QAction::triggered, this, &TagAids::complete);
    connect(&m_r1, &EditorControl::UserEdit, this, &TagAids::userEdited);
    connect(&m_r1, &EditorControl::ChoiceMade, this, &TagAids::choiceMade);
    connect(&m_r1, &EditorControl::KeyUp, this, &TagAids::updatePartner);
    connect(&m_r1, &EditorControl::MouseUp, this, &TagAids::updatePartner);
    connect(&m_builder, &PageModelBuilder::modelChanged, this, &TagAids::updatePartner);
}

void TagAids::setEnabled(Aid aid, bool on)
{
    m_enabled[aid] = on;
    QSettings().setValue(QLatin1String(settingKeys[aid]), on);
    if (m_toggles[aid]->isChecked() != on)
        m_toggles[aid]->setChecked(on);
    updatePartner();
}

void TagAids::updatePartner()
{
    const int caret = m_r1.SelStart();
    const auto holds = [caret](const Range &range) { return range.offset >= 0 && caret >= range.offset && caret <= range.offset + range.length; };
    if (!holds(m_link[0]) && !holds(m_link[1])) {
        m_link[0] = m_link[1] = Range();
        const std::shared_ptr<const PageModel> model = m_builder.model();
        const int at = m_builder.toModel(caret);
        const int index = at >= 0 ? model->tagNameAt(at) : -1;
        if (index >= 0) {
            const PageElement &element = model->elements().at(index);
            const QString &name = model->name(element);
            const int length = static_cast<int>(name.size());
            const Range names[2] = {{m_builder.toCurrent(element.startNameOffset()), length},
                                    {m_builder.toCurrent(element.endNameOffset()), length}};
            // Both tags still carry the name the model read: nothing between has renamed them.
            const auto reads = [this, &name](const Range &range) {
                return range.offset >= 0 && m_r1.textRange(range.offset, range.offset + range.length).toLower() == name;
            };
            if (element.hasStartTag() && element.hasEndTag() && reads(names[0]) && reads(names[1])) {
                m_link[0] = names[0];
                m_link[1] = names[1];
            }
        }
    }
    QList<std::pair<int, int>> boxes;
    if (m_enabled[PairedTags] && m_link[0].offset >= 0)
        boxes = {{m_link[0].offset, m_link[0].length}, {m_link[1].offset, m_link[1].length}};
    if (boxes != m_r1.marks(EditorControl::Mark::Partner))
        m_r1.setMarks(EditorControl::Mark::Partner, boxes);
}

void TagAids::jumpToPartner()
{
    updatePartner();
    const int caret = m_r1.SelStart();
    for (int i = 0; i < 2; ++i) {
        const Range &here = m_link[i];
        if (here.offset >= 0 && caret >= here.offset && caret <= here.offset + here.length) {
            m_r1.setSelStart(m_link[1 - i].offset + (caret - here.offset));
            updatePartner();
            return;
        }
    }
}

void TagAids::userEdited()
{
    if (m_writing)
        return;
    const QList<ContentEdit> edits = m_r1.pendingEdits();
    if (edits.size() != 1) {
        m_link[0] = m_link[1] = Range();
        m_endTagsAhead.clear();
        m_typingOver = Range();
        return;
    }
    const ContentEdit &edit = edits.front();
    const int removed = static_cast<int>(edit.removed.size());
    followEdit(edit.offset, removed, static_cast<int>(edit.inserted.size()));
    if (removed == 0 && edit.inserted.size() == 1 && m_enabled[AutoClose] && typeThrough(edit.offset, edit.inserted.front()))
        return;
    m_typingOver = Range();
    const bool inName = m_link[0].contains(edit.offset, edit.offset + removed) || m_link[1].contains(edit.offset, edit.offset + removed);
    if (inName && isNameText(edit.inserted) && m_enabled[LinkedRename] && mirrorRename(edit.offset, removed, edit.inserted))
        return;
    m_link[0] = m_link[1] = Range();
    if (!edit.removed.isEmpty() || edit.inserted.size() != 1)
        return;
    const QChar typed = edit.inserted.front();
    if (typed == u'>' && m_enabled[AutoClose])
        closeStartTag(edit.offset);
    else if (typed == u'/' && m_enabled[AutoClose] && m_r1.textRange(edit.offset - 1, edit.offset) == QLatin1String("<"))
        completeEndTag(edit.offset);
    else if (typed == u'<' && m_enabled[Completion] && !inCommentOrRawText(edit.offset))
        offer(ChoiceKind::Element, edit.offset + 1);
    else if (typed == u'&' && m_enabled[Completion])
        offer(ChoiceKind::Reference, edit.offset + 1);
    else if (typed == u' ' && m_enabled[Completion] && openStartTagBefore(edit.offset, nullptr) >= 0)
        offer(ChoiceKind::Attribute, edit.offset + 1);
}

void TagAids::write(int offset, int removed, const QString &inserted)
{
    m_writing = true;
    m_r1.replaceRange(offset, removed, inserted);
    m_writing = false;
    followEdit(offset, removed, static_cast<int>(inserted.size()));
}

void TagAids::followEdit(int offset, int removed, int inserted)
{
    for (qsizetype i = m_endTagsAhead.size() - 1; i >= 0; --i) {
        Range &range = m_endTagsAhead[i];
        if (offset + removed <= range.offset)
            range.offset += inserted - removed;
        else if (offset < range.offset + range.length)
            m_endTagsAhead.removeAt(i);
    }
}

bool TagAids::typeThrough(int offset, QChar typed)
{
    // The character typed sits at offset; what was there before now follows it.
    if (m_typingOver.offset >= 0) {
        const Range over = std::exchange(m_typingOver, Range());
        if (offset != over.offset + m_typedOver)
            return false;
        if (m_r1.textRange(offset + 1, offset + 2) == QString(typed)) {
            write(offset + 1, 1, QString());
            if (++m_typedOver < over.length)
                m_typingOver = over;
            return true;
        }
        // Another end tag after all: the one typed over so far is written out again after it.
        write(offset + 1, 0, m_r1.textRange(over.offset, offset));
        m_endTagsAhead.append(Range{offset + 1, over.length});
        return false;
    }
    if (typed != u'/' || m_r1.textRange(offset - 1, offset) != QLatin1String("<"))
        return false;
    for (qsizetype i = 0; i < m_endTagsAhead.size(); ++i) {
        const Range ahead = m_endTagsAhead.at(i);
        if (ahead.offset != offset + 1)
            continue;
        // "</" typed in front of an end tag written ahead: the caret goes into that one instead.
        m_endTagsAhead.removeAt(i);
        write(offset - 1, 2, QString());
        m_r1.setSelStart(offset + 1);
        m_typingOver = Range{offset - 1, ahead.length};
        m_typedOver = 2;
        return true;
    }
    return false;
}

bool TagAids::mirrorRename(int offset, int removed, const QString &inserted)
{
    const int here = m_link[0].contains(offset, offset + removed) ? 0 : 1;
    const int there = 1 - here;
    const int delta = static_cast<int>(inserted.size()) - removed;
    // The partner comes after the edited name when the start tag was edited: the edit has moved it.
    const bool partnerAfter = m_link[there].offset > m_link[here].offset;
    const int partnerStart = m_link[there].offset + (partnerAfter ? delta : 0);
    const int partnerOffset = partnerStart + (offset - m_link[here].offset);
    write(partnerOffset, removed, inserted);
    m_link[there].offset = partnerStart;
    if (!partnerAfter)
        m_link[here].offset += delta;
    m_link[here].length += delta;
    m_link[there].length += delta;
    if (m_link[here].length <= 0)
        m_link[0] = m_link[1] = Range();
    return true;
}

int TagAids::openStartTagBefore(int offset, QString *name) const
{
    const int from = std::max(0, offset - LookBehind);
    const QString before = m_r1.textRange(from, offset);
    const qsizetype open = before.lastIndexOf(u'<');
    if (open < 0)
        return -1;
    const QString tag = before.mid(open);
    static const QRegularExpression startTag(QStringLiteral("^<([A-Za-z][A-Za-z0-9:_.-]*)(?:\\s|$)"));
    const QRegularExpressionMatch match = startTag.match(tag);
    // A ">" outside quotes has ended the tag; an odd number of quotes leaves the caret in a value.
    QString outsideQuotes = tag;
    outsideQuotes.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"|'[^']*'")));
    if (!match.hasMatch() || outsideQuotes.contains(u'>') || outsideQuotes.contains(u'"') || outsideQuotes.contains(u'\''))
        return -1;
    if (name)
        *name = match.captured(1);
    return from + static_cast<int>(open);
}

bool TagAids::inComment(int offset) const
{
    const QString before = m_r1.textRange(std::max(0, offset - LookBehind), offset);
    const qsizetype open = before.lastIndexOf(QLatin1String("<!--"));
    return open >= 0 && before.indexOf(QLatin1String("-->"), open + 4) < 0;
}

bool TagAids::inCommentOrRawText(int offset) const
{
    if (inComment(offset))
        return true;
    const int at = m_builder.toModel(offset);
    const std::shared_ptr<const PageModel> model = m_builder.model();
    const int index = at >= 0 ? model->openElementAt(at) : -1;
    return index >= 0 && HtmlKnowledge::isRawText(model->name(index));
}

void TagAids::closeStartTag(int offset)
{
    QString name;
    const int open = openStartTagBefore(offset, &name);
    if (open < 0 || HtmlKnowledge::isVoid(name) || m_r1.textRange(offset - 1, offset) == QLatin1String("/") ||
        inCommentOrRawText(open))
        return;
    const QString endTag = QStringLiteral("</%1>").arg(name);
    // Typing ">" in front of the end tag already there closes nothing more.
    if (m_r1.textRange(offset + 1, offset + 1 + static_cast<int>(endTag.size())).compare(endTag, Qt::CaseInsensitive) == 0)
        return;
    write(offset + 1, 0, endTag);
    m_endTagsAhead.append(Range{offset + 1, static_cast<int>(endTag.size())});
}

void TagAids::completeEndTag(int offset)
{
    const int lessThan = offset - 1;
    if (inComment(lessThan))
        return;
    const int at = m_builder.toModel(lessThan);
    const std::shared_ptr<const PageModel> model = m_builder.model();
    const int index = at >= 0 ? model->openElementAt(at) : -1;
    if (index < 0)
        return;
    const PageElement &element = model->elements().at(index);
    const QString &modelName = model->name(element);
    // The name as the start tag spells it (upper-case legacy markup stays upper case).
    const int start = element.hasStartTag() ? m_builder.toCurrent(element.startNameOffset()) : -1;
    const QString name = start >= 0 ? m_r1.textRange(start, start + static_cast<int>(modelName.size())) : modelName;
    if (name.compare(modelName, Qt::CaseInsensitive) != 0)
        return;
    write(offset + 1, 0, name + u'>');
    m_r1.setSelStart(offset + 1 + static_cast<int>(name.size()) + 1);
}

void TagAids::offer(ChoiceKind kind, int typedStart)
{
    QStringList choices;
    switch (kind) {
    case ChoiceKind::Element:
    case ChoiceKind::NewElement:
        choices = HtmlKnowledge::elementNames();
        break;
    case ChoiceKind::ReferenceTag:
        for (const TagTable::Tag &tag : TagTable::tags()) {
            if (!choices.contains(tag.text))
                choices << tag.text;
        }
        break;
    case ChoiceKind::Reference:
        choices = HtmlKnowledge::characterReferenceNames();
        break;
    case ChoiceKind::Attribute: {
        QString name;
        openStartTagBefore(typedStart, &name);
        choices = HtmlKnowledge::attributeNames(name);
        break;
    }
    case ChoiceKind::None:
        return;
    }
    m_choiceKind = kind;
    m_choiceStart = typedStart;
    // Character references differ by case alone (&Eacute; and &eacute;); names do not.
    m_r1.showChoices(m_r1.SelStart() - typedStart, choices, kind == ChoiceKind::Reference ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

void TagAids::complete()
{
    const int caret = m_r1.SelStart();
    const int from = std::max(0, caret - 256);
    const QString before = m_r1.textRange(from, caret);
    const qsizetype word = wordStart(before, before.size());
    const int typedStart = from + static_cast<int>(word);
    const QChar previous = word > 0 ? before.at(word - 1) : QChar();
    if (previous == u'&')
        offer(ChoiceKind::Reference, typedStart);
    else if (previous == u'<')
        offer(ChoiceKind::Element, typedStart);
    else if (openStartTagBefore(typedStart, nullptr) >= 0)
        offer(ChoiceKind::Attribute, typedStart);
    else if (typedStart == caret)
        offer(ChoiceKind::ReferenceTag, typedStart);
    else
        offer(ChoiceKind::NewElement, typedStart);
}

void TagAids::choiceMade(const QString &choice)
{
    const ChoiceKind kind = std::exchange(m_choiceKind, ChoiceKind::None);
    const int caret = m_r1.SelStart();
    if (kind == ChoiceKind::None || caret < m_choiceStart)
        return;
    QString text = choice;
    int caretFromEnd = 0;
    switch (kind) {
    case ChoiceKind::NewElement:
        text = u'<' + choice + u'>';
        break;
    case ChoiceKind::Attribute:
        text = choice + QStringLiteral("=\"\"");
        caretFromEnd = 1;
        break;
    case ChoiceKind::Reference:
        text = choice + u';';
        break;
    case ChoiceKind::ReferenceTag:
        // The caret goes between a start tag and its end tag, as for a tag typed.
        if (const qsizetype end = choice.indexOf(QLatin1String("></")); end >= 0)
            caretFromEnd = static_cast<int>(choice.size() - end - 1);
        break;
    default:
        break;
    }
    write(m_choiceStart, caret - m_choiceStart, text);
    m_r1.setSelStart(m_choiceStart + static_cast<int>(text.size()) - caretFromEnd);
}
