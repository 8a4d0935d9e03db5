// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

class PreviewPage;
class QWebEngineProfile;

// A browser view that shows preview files in a PreviewPage: links open in the view itself,
// never in a new window, and showing the same file again keeps the reader's place on the page.
// It tells its page where the user clicks and when the user types, so the page can tell the
// user's navigations from a script's.
//
// A page that has not loaded within loadLimitMs, or asks for dialog after dialog, is torn down:
// the view gets a fresh page in a fresh profile, and with it a fresh renderer process, so an
// endless script costs the editor nothing and the next text shows. Another document starts in
// a fresh page too, so nothing one page stored (local and session storage, IndexedDB,
// window.name) reaches the next document.
//
// Nothing goes onto the clipboard from the view: a page may write there on a click, so whatever
// appears while the view has the focus, right after a click or key press in it, is taken back
// and the text that was there before returns.
class PreviewBrowser : public QWebEngineView
{
    Q_OBJECT

public:
    static constexpr int loadLimitMs = 5000;

    explicit PreviewBrowser(QWidget *parent = nullptr);
    ~PreviewBrowser() override;

    // Navigates to the file at path, which holds text. Loading the address the view already shows
    // reloads it, and the engine then puts the reader back where they were on the page.
    void showFile(const QString &path, const QString &text);
    // The next file shown belongs to another document.
    void startDocument();
    // While taken, a Ctrl+click with the left button never reaches the page: the view reports it
    // as sourceClicked instead.
    void setSourceClicks(bool taken) { m_sourceClicks = taken; }
    // The view shows the program's own page (not a web site the user went to).
    bool showsProgramPage() const;

    // Whether local pages load remote content; blocked until the user allows it.
    void setRemoteContentAllowed(bool allowed);
    bool remoteContentAllowed() const { return m_remoteAllowed; }
    // The local page shown asked for remote content (which loaded or not, as allowed).
    bool hasRemoteContent() const { return m_hasRemote; }

signals:
    // hasRemoteContent() or remoteContentAllowed() changed.
    void remoteContentChanged();
    // The page was torn down, since its scripts would not let it load or kept asking for dialogs.
    void pageTornDown();
    // The view has a new page, which has none of the scripts the last one was given.
    void pageChanged();
    // The user Ctrl+clicked at pos, in the view's coordinates, while source clicks are taken.
    void sourceClicked(QPointF pos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    void makePage();
    void tearDown();
    void clipboardChanged();
    void noteRemoteContent(bool seen);
    void loadProgramPage();

    PreviewPage *m_page = nullptr;
    QWebEngineProfile *m_profile = nullptr;
    QTimer m_watchdog;
    QString m_path;
    QString m_text;
    bool m_freshDocument = false;
    // The file being shown was already loaded once into a fresh page after a tear-down.
    bool m_retried = false;
    QString m_clipboardText;
    bool m_restoringClipboard = false;
    bool m_remoteAllowed = false;
    bool m_hasRemote = false;
    // The page asked for remote content since the program last loaded it.
    bool m_remoteSeen = false;
    bool m_sourceClicks = false;
    // The release of a Ctrl+click taken from the page is taken as well.
    bool m_takeRelease = false;
};
