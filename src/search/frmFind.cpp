// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/frmFind.h"

#include "editor/EditorControl.h"
#include "host/HostServices.h"
#include "search/RegexReplacement.h"
#include "search/RegexSearch.h"
#include "search/ReplaceAll.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString findCaption = QStringLiteral("&Find");
const QString findNextCaption = QStringLiteral("&Find Next");
const QString replaceUnarmedCaption = QStringLiteral("&Replace...");
const QString replaceArmedCaption = QStringLiteral("&Replace");

// Where cmdReplace stands below the top of picBar, unarmed and armed.
constexpr int unarmedTopTwips = 525;
constexpr int armedTopTwips = 150;
constexpr int buttonGap = 8;

QComboBox *editableCombo(const QString &name, const QString &accessibleName, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setAccessibleName(accessibleName);
    combo->setEditable(true);
    // Enter must not grow the list: it holds only what the dialog put there.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(220);
    return combo;
}

QCheckBox *checkBox(const QString &name, const QString &caption, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setAccessibleName(QString(caption).remove(u'&'));
    return box;
}

// What the dialog remembers across openings and runs: the last texts searched for and put in,
// most recent first, and the options.
const QString findTextsKey = QStringLiteral("find/findTexts");
const QString replaceTextsKey = QStringLiteral("find/replaceTexts");
constexpr qsizetype rememberedTexts = 10;

QStringList rememberedList(const QString &key)
{
    return QSettings().value(key).toStringList().mid(0, rememberedTexts);
}

// Puts text first in the remembered list and offers it in combo's list, leaving what the
// combo shows as it is.
void remember(QComboBox *combo, const QString &key, const QString &text)
{
    if (text.isEmpty())
        return;
    QStringList texts = rememberedList(key);
    texts.removeAll(text);
    texts.prepend(text);
    QSettings().setValue(key, texts.mid(0, rememberedTexts));
    if (combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
        const QString shown = combo->currentText();
        combo->addItem(text);
        combo->setEditText(shown);
    }
}

// Texts the editor folds itself (a case-insensitive search for non-ASCII text) cost it a copy
// of the rest of the document per search.
bool foldedByEditor(const QString &text, int options)
{
    return !(options & EditorControl::MatchCase) &&
           std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x80; });
}

// Whether offset lies between the CR and the LF of a line break, where the editor's selection
// cannot start or end.
bool insideLineBreak(QStringView text, qsizetype offset)
{
    return offset > 0 && offset < text.size() && text.at(offset - 1) == u'\r' && text.at(offset) == u'\n';
}

// [start, end) as the editor can select it: widened to whole CR LF line breaks.
std::pair<int, int> selectable(QStringView text, qsizetype start, qsizetype end)
{
    return {static_cast<int>(insideLineBreak(text, start) ? start - 1 : start),
            static_cast<int>(insideLineBreak(text, end) ? end + 1 : end)};
}

QString stoppedMessage(const RegexSearch &regex)
{
    return QStringLiteral("The search was stopped: %1. The regular expression backtracks too much on this page.")
        .arg(regex.stopReason());
}

} // namespace

frmFind::frmFind(EditorControl &editor, HostServices &host, QAction &mnuFind, std::function<void()> refreshPreview)
    : QWidget(nullptr, Qt::Dialog)
    , m_editor(editor)
    , m_host(host)
    , m_mnuFind(mnuFind)
    , m_refreshPreview(std::move(refreshPreview))
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find and Replace:"));
    setAccessibleName(QStringLiteral("Find and Replace"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *lblFind = new QLabel(QStringLiteral("Fin&d What:"), this);
    lblFind->setObjectName(QStringLiteral("lblFind"));
    m_cboFind = editableCombo(QStringLiteral("cboFind"), QStringLiteral("Find What"), this);
    lblFind->setBuddy(m_cboFind);
    m_cmdFind = new QPushButton(this);
    m_cmdFind->setObjectName(QStringLiteral("cmdFind"));
    setCaption(m_cmdFind, findCaption);

    auto *lblReplace = new QLabel(QStringLiteral("Replace &With:"), this);
    lblReplace->setObjectName(QStringLiteral("lblReplace"));
    m_cboReplace = editableCombo(QStringLiteral("cboReplace"), QStringLiteral("Replace With"), this);
    lblReplace->setBuddy(m_cboReplace);
    m_cmdCancel = new QPushButton(this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    setCaption(m_cmdCancel, QStringLiteral("Cancel"));

    auto *picBar = new QWidget(this);
    picBar->setObjectName(QStringLiteral("picBar"));
    auto *frame1 = new QGroupBox(QStringLiteral("Search Options"), picBar);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setAccessibleName(QStringLiteral("Search Options"));
    m_chkWholeWord = checkBox(QStringLiteral("chkWholeWord"), QStringLiteral("Find Whole Word &Only"), frame1);
    m_chkMatchCase = checkBox(QStringLiteral("chkMatchCase"), QStringLiteral("Match Ca&se"), frame1);
    m_chkNoHighlight = checkBox(QStringLiteral("chkNoHighlight"), QStringLiteral("No &Highlight"), frame1);
    m_chkRegex = checkBox(QStringLiteral("chkRegex"), QStringLiteral("Regular e&xpression"), frame1);
    auto *options = new QVBoxLayout(frame1);
    options->addWidget(m_chkWholeWord);
    options->addWidget(m_chkMatchCase);
    options->addWidget(m_chkNoHighlight);
    options->addWidget(m_chkRegex);

    // The replace buttons move within their column, so they are placed, not laid out.
    m_replaceColumn = new QWidget(picBar);
    m_cmdReplace = new QPushButton(m_replaceColumn);
    m_cmdReplace->setObjectName(QStringLiteral("cmdReplace"));
    setCaption(m_cmdReplace, replaceUnarmedCaption);
    m_cmdReplaceAll = new QPushButton(m_replaceColumn);
    m_cmdReplaceAll->setObjectName(QStringLiteral("cmdReplaceAll"));
    setCaption(m_cmdReplaceAll, QStringLiteral("Replace &All"));

    // One width for the right-hand buttons, wide enough for every caption they take.
    int buttonWidth = 0;
    for (const QString &caption :
         {findNextCaption, replaceUnarmedCaption, QStringLiteral("Replace &All"), QStringLiteral("Cancel")})
        buttonWidth = std::max(buttonWidth, QPushButton(caption).sizeHint().width());
    buttonWidth = std::max(buttonWidth, 1215 / 15);
    const int buttonHeight = m_cmdReplace->sizeHint().height();
    for (QPushButton *button : {m_cmdFind, m_cmdCancel, m_cmdReplace, m_cmdReplaceAll}) {
        button->setFixedSize(buttonWidth, buttonHeight);
        button->setAutoDefault(false);
    }
    m_replaceColumn->setFixedSize(buttonWidth, unarmedTopTwips / 15 + 2 * buttonHeight + buttonGap);

    auto *bar = new QHBoxLayout(picBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(frame1, 1);
    bar->addWidget(m_replaceColumn, 0, Qt::AlignTop);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(8);
    layout->addWidget(lblFind, 0, 0);
    layout->addWidget(m_cboFind, 0, 1);
    layout->addWidget(m_cmdFind, 0, 2);
    layout->addWidget(lblReplace, 1, 0);
    layout->addWidget(m_cboReplace, 1, 1);
    layout->addWidget(m_cmdCancel, 1, 2);
    layout->addWidget(picBar, 2, 0, 1, 3);
    // Why a regular expression cannot be searched for; shown only then.
    m_lblRegexError = new QLabel(this);
    m_lblRegexError->setObjectName(QStringLiteral("lblRegexError"));
    m_lblRegexError->setAccessibleName(QStringLiteral("Regular expression error"));
    m_lblRegexError->setWordWrap(true);
    m_lblRegexError->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblRegexError->setVisible(false);
    layout->addWidget(m_lblRegexError, 3, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The regular-expression box comes last, so the other controls keep their order.
    QWidget *order[] = {m_cboFind,      m_cmdFind,      m_cmdCancel,  m_cboReplace,    m_chkNoHighlight,
                        m_chkMatchCase, m_chkWholeWord, m_cmdReplace, m_cmdReplaceAll, m_chkRegex};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_cmdFind, &QPushButton::clicked, this, &frmFind::cmdFind_Click);
    connect(m_cmdReplace, &QPushButton::clicked, this, &frmFind::cmdReplace_Click);
    connect(m_cmdReplaceAll, &QPushButton::clicked, this, &frmFind::cmdReplaceAll_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmFind::cmdCancel_Click);
    // The dialog acts on the editor alone and goes with it.
    connect(&m_editor, &QObject::destroyed, this, [this] { delete this; });

    Form_Load();
    for (QCheckBox *option : {m_chkWholeWord, m_chkMatchCase, m_chkNoHighlight, m_chkRegex})
        connect(option, &QCheckBox::toggled, this,
                [option](bool checked) { QSettings().setValue(QStringLiteral("find/") + option->objectName(), checked); });
    // An error message is about what was searched for; it goes once that changes.
    for (QComboBox *field : {m_cboFind, m_cboReplace})
        connect(field, &QComboBox::editTextChanged, this, [this] { showRegexError(QString()); });
    connect(m_chkRegex, &QCheckBox::toggled, this, [this] { showRegexError(QString()); });
}

void frmFind::Form_Load()
{
    placeReplaceButtons(unarmedTopTwips);
    const QString selected = m_editor.SelText();
    m_cboFind->addItem(selected);
    m_cboFind->setEditText(selected);
    // The fields start as they always do; earlier texts wait in the lists, and the options are
    // those last chosen.
    for (const QString &text : rememberedList(findTextsKey)) {
        if (text != selected)
            m_cboFind->addItem(text);
    }
    m_cboFind->setEditText(selected);
    m_cboReplace->addItems(rememberedList(replaceTextsKey));
    m_cboReplace->setEditText(QString());
    for (QCheckBox *option : {m_chkWholeWord, m_chkMatchCase, m_chkNoHighlight, m_chkRegex})
        option->setChecked(QSettings().value(QStringLiteral("find/") + option->objectName(), false).toBool());
}

void frmFind::rememberTexts(bool replacing)
{
    remember(m_cboFind, findTextsKey, m_cboFind->currentText());
    if (replacing)
        remember(m_cboReplace, replaceTextsKey, m_cboReplace->currentText());
}

void frmFind::Form_Unload()
{
    m_refreshPreview();
}

void frmFind::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

int frmFind::searchOptions() const
{
    int options = 0;
    if (m_chkWholeWord->isChecked())
        options |= EditorControl::WholeWord;
    if (m_chkMatchCase->isChecked())
        options |= EditorControl::MatchCase;
    if (m_chkNoHighlight->isChecked())
        options |= EditorControl::NoHighlight;
    return options;
}

void frmFind::setCaption(QPushButton *button, const QString &caption)
{
    button->setText(caption);
    button->setAccessibleName(QString(caption).remove(u'&'));
}

void frmFind::placeReplaceButtons(int topTwips)
{
    m_cmdReplace->move(0, topTwips / 15);
    m_cmdReplaceAll->move(0, unarmedTopTwips / 15 + m_cmdReplace->height() + buttonGap);
}

void frmFind::setReplaceEnabled(bool enabled)
{
    m_cmdReplace->setEnabled(enabled);
    m_cmdReplaceAll->setEnabled(enabled);
}

void frmFind::textNotFound()
{
    m_host.MsgBox(QStringLiteral("Text not found"), HostServices::OkOnly);
    setCaption(m_cmdFind, findCaption);
    setReplaceEnabled(false);
}

void frmFind::showRegexError(const QString &text)
{
    m_lblRegexError->setText(text);
    m_lblRegexError->setVisible(!text.isEmpty());
}

bool frmFind::prepareRegex(std::unique_ptr<RegexSearch> &regex, const RegexReplacement *replacement)
{
    showRegexError(QString());
    const QString pattern = m_cboFind->currentText();
    // An empty field has nothing to find, as in a plain search.
    if (!m_chkRegex->isChecked() || pattern.isEmpty())
        return true;
    regex = std::make_unique<RegexSearch>(pattern, m_chkMatchCase->isChecked(), m_chkWholeWord->isChecked());
    if (!regex->error().isEmpty()) {
        showRegexError(regex->error());
        return false;
    }
    const int groups = regex->captureCount();
    if (replacement && replacement->highestGroup() > groups) {
        const QString has = groups == 0   ? QStringLiteral("no groups")
                            : groups == 1 ? QStringLiteral("1 group")
                                          : QStringLiteral("%1 groups").arg(groups);
        showRegexError(QStringLiteral("The replacement refers to group \\%1, but the regular expression has %2.")
                           .arg(replacement->highestGroup())
                           .arg(has));
        return false;
    }
    return true;
}

std::optional<int> frmFind::search(RegexSearch *regex, int start, bool skipEmptyAtStart)
{
    if (!regex)
        return m_editor.Find(m_cboFind->currentText(), start, -1, searchOptions());
    const QString text = m_editor.Text();
    switch (regex->find(text, start, skipEmptyAtStart)) {
    case RegexSearch::Status::Stopped:
        showRegexError(stoppedMessage(*regex));
        return std::nullopt;
    case RegexSearch::Status::NotFound:
        return -1;
    case RegexSearch::Status::Found:
        break;
    }
    const auto [from, to] = selectable(text, regex->start(), regex->end());
    if (!m_chkNoHighlight->isChecked()) {
        m_editor.setSelStart(from);
        m_editor.setSelLength(to - from);
    }
    return from;
}

frmFind::Splits frmFind::lineBreakSplits(QStringView document, int start, int end)
{
    return {insideLineBreak(document, start), insideLineBreak(document, end)};
}

void frmFind::writeRange(int start, int end, const QString &text, Splits splits)
{
    // No write may start or end between the CR and the LF of a line break: one that would is
    // widened to the whole line break and keeps its CR or LF, so the text is as if only
    // [start, end) had been written.
    QString written = text;
    int from = start;
    int to = end;
    if (splits.start) {
        --from;
        written.prepend(u'\r');
    }
    if (splits.end) {
        ++to;
        written.append(u'\n');
    }
    m_editor.setSelStart(from);
    m_editor.setSelLength(to - from);
    m_editor.setSelText(written);
    if (to != end)
        m_editor.setSelStart(start + static_cast<int>(text.size()));
}

void frmFind::cmdFind_Click()
{
    rememberTexts(false);
    std::unique_ptr<RegexSearch> regex;
    if (!prepareRegex(regex, nullptr))
        return;
    if (m_cmdFind->text() == findCaption) {
        const std::optional<int> found = search(regex.get(), 0, false);
        if (!found)
            return;
        if (*found < 0) {
            m_host.MsgBox(QStringLiteral("Text Not Found"), HostServices::OkOnly);
            m_mnuFind.setEnabled(false);
        } else {
            m_editor.SetFocus();
            setReplaceEnabled(true);
            setCaption(m_cmdFind, findNextCaption);
            m_mnuFind.setEnabled(true);
        }
    } else {
        // An empty match just found, or the caret, is not found again.
        const std::optional<int> found =
            search(regex.get(), m_editor.SelStart() + m_editor.SelLength(), m_editor.SelLength() == 0);
        if (!found)
            return;
        if (*found < 0) {
            textNotFound();
            m_mnuFind.setEnabled(false);
        } else {
            m_editor.SetFocus();
            m_mnuFind.setEnabled(true);
        }
    }
    m_refreshPreview();
}

void frmFind::cmdReplace_Click()
{
    if (m_cmdReplace->text() == replaceUnarmedCaption) {
        placeReplaceButtons(armedTopTwips);
        setCaption(m_cmdReplace, replaceArmedCaption);
        return;
    }
    rememberTexts(true);
    const RegexReplacement replacement(m_cboReplace->currentText());
    std::unique_ptr<RegexSearch> regex;
    if (!prepareRegex(regex, &replacement))
        return;
    int next = 0;
    bool skipEmpty = false;
    if (regex) {
        // Only a match is replaced, for its groups make the replacement; a selection that is
        // none is passed over. The selection shows a match as the editor can select it.
        const QString text = m_editor.Text();
        const int selStart = m_editor.SelStart();
        const int selEnd = selStart + m_editor.SelLength();
        next = selEnd;
        skipEmpty = selStart == selEnd;
        switch (regex->find(text, selStart)) {
        case RegexSearch::Status::Stopped:
            showRegexError(stoppedMessage(*regex));
            return;
        case RegexSearch::Status::Found:
            if (selectable(text, regex->start(), regex->end()) == std::pair(selStart, selEnd)) {
                const auto start = static_cast<int>(regex->start());
                const QString replaced = replacement.expand(text, *regex);
                const auto end = static_cast<int>(regex->end());
                writeRange(start, end, replaced, lineBreakSplits(text, start, end));
                // After an empty match, the place it was found is not searched again.
                next = start + static_cast<int>(replaced.size());
                skipEmpty = regex->start() == regex->end();
            }
            break;
        case RegexSearch::Status::NotFound:
            break;
        }
    } else {
        // An empty find text has no occurrence, so nothing is taken for one.
        if (!m_cboFind->currentText().isEmpty())
            m_editor.setSelText(m_cboReplace->currentText());
        next = m_editor.SelStart() + m_editor.SelLength();
    }
    const std::optional<int> found = search(regex.get(), next, skipEmpty);
    if (!found)
        return;
    if (*found < 0)
        textNotFound();
    else
        m_editor.SetFocus();
    m_refreshPreview();
}

void frmFind::cmdReplaceAll_Click()
{
    rememberTexts(true);
    const QString findText = m_cboFind->currentText();
    const QString replacementText = m_cboReplace->currentText();
    const RegexReplacement replacement(replacementText);
    std::unique_ptr<RegexSearch> regex;
    if (!prepareRegex(regex, &replacement))
        return;

    // The replaced span: from the first occurrence to the end of the last, rebuilt.
    QString text = m_editor.Text();
    int count = 0;
    int first = 0;
    int end = 0;
    QString span;
    if (regex) {
        const ReplaceAll::RegexReplaced replaced = ReplaceAll::replaceMatches(text, *regex, replacement);
        if (replaced.status == RegexSearch::Status::Stopped) {
            showRegexError(stoppedMessage(*regex));
            return;
        }
        count = replaced.count;
        first = static_cast<int>(replaced.first);
        end = static_cast<int>(replaced.end);
        span = replaced.span;
    } else {
        const int options = searchOptions();
        const auto findLength = static_cast<int>(findText.size());
        // Each search starts just after the previous occurrence, as it would after replacing it,
        // so a replacement containing the find text is never searched again. The occurrences are
        // located without selecting them, whatever No Highlight says.
        QList<int> occurrences;
        if (foldedByEditor(findText, options)) {
            occurrences = ReplaceAll::foldedOccurrences(text, findText, options & EditorControl::WholeWord);
        } else {
            const int locate = options | EditorControl::NoHighlight;
            for (int at = m_editor.Find(findText, 0, -1, locate); at >= 0;
                 at = m_editor.Find(findText, at + findLength, -1, locate))
                occurrences.append(at);
        }
        if (!occurrences.isEmpty()) {
            count = static_cast<int>(occurrences.size());
            first = occurrences.first();
            end = occurrences.last() + findLength;
            span = ReplaceAll::rebuild(text.sliced(first, end - first), first, occurrences, findLength, replacementText);
        }
    }

    if (count > 0) {
        // One write from the first occurrence to the end of the last: one change of the
        // document, and the caret ends just after the last replacement. The copies of the page
        // made for the search are not kept through the write and its change handling.
        const Splits splits = lineBreakSplits(text, first, end);
        text.clear();
        regex.reset();
        span.squeeze();
        writeRange(first, end, span, splits);
        m_host.MsgBox(QStringLiteral("The specified region has been searched. \r\n%1 replacements have been made.").arg(count),
                      HostServices::OkOnly);
    }
    setCaption(m_cmdFind, findCaption);
    m_refreshPreview();
}

void frmFind::cmdCancel_Click()
{
    m_refreshPreview();
    close();
}
