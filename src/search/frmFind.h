// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class EditorControl;
class HostServices;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class RegexReplacement;
class RegexSearch;

// The find and replace dialog: a modeless window with no owner that searches the editor through
// its Find operation, or with "Regular expression" ticked through a RegexSearch over the
// document's text. It lives from Form_Load (run by the constructor) until it is closed; closing
// deletes it, so the next opening starts afresh.
class frmFind : public QWidget
{
    Q_OBJECT

public:
    // mnuFind is the main window's "Find and Replace" command, switched on and off by the
    // outcome of the Find button's searches.
    frmFind(EditorControl &editor, HostServices &host, QAction &mnuFind, std::function<void()> refreshPreview);

public slots:
    void cmdFind_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();
    void cmdCancel_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();

    // The option bits of the editor's Find, read from the check boxes.
    int searchOptions() const;
    static void setCaption(QPushButton *button, const QString &caption);
    // Places cmdReplace topTwips below the top of picBar, cmdReplaceAll under its lower place.
    void placeReplaceButtons(int topTwips);
    void setReplaceEnabled(bool enabled);
    void textNotFound();

    // The regular expression of one command: null when the box is not ticked or there is no
    // pattern. False, with the reason shown in the dialog, when the pattern (or the groups the
    // replacement refers to) cannot be used; the command then does nothing.
    bool prepareRegex(std::unique_ptr<RegexSearch> &regex, const RegexReplacement *replacement);
    // Searches from start by the editor's Find or by regex, selecting the match unless No
    // Highlight is ticked (a regex match that starts or ends inside a CR LF is selected with the
    // whole line break). The offset found or -1; nothing when the expression was stopped (the
    // dialog says why). skipEmptyAtStart: an empty match at start does not count.
    std::optional<int> search(RegexSearch *regex, int start, bool skipEmptyAtStart);
    void showRegexError(const QString &text);
    // Which ends of [start, end) of document (the editor's text) lie inside a CR LF.
    struct Splits {
        bool start = false;
        bool end = false;
    };
    static Splits lineBreakSplits(QStringView document, int start, int end);
    // Writes text in place of [start, end) as one change, the caret then just after it.
    void writeRange(int start, int end, const QString &text, Splits splits);
    // Remembers the find text, and with replacing the replacement too, for later openings.
    void rememberTexts(bool replacing);

    EditorControl &m_editor;
    HostServices &m_host;
    QAction &m_mnuFind;
    std::function<void()> m_refreshPreview;

    QComboBox *m_cboFind = nullptr;
    QComboBox *m_cboReplace = nullptr;
    QPushButton *m_cmdFind = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    QPushButton *m_cmdReplace = nullptr;
    QPushButton *m_cmdReplaceAll = nullptr;
    QCheckBox *m_chkWholeWord = nullptr;
    QCheckBox *m_chkMatchCase = nullptr;
    QCheckBox *m_chkNoHighlight = nullptr;
    QCheckBox *m_chkRegex = nullptr;
    QLabel *m_lblRegexError = nullptr;
    QWidget *m_replaceColumn = nullptr;
};
