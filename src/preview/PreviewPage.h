// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preview/WrittenAddresses.h"

#include <QElapsedTimer>
#include <QPointF>
#include <QWebEnginePage>

class QAuthenticator;
class QWebEngineFileSystemAccessRequest;
class QWebEngineNewWindowRequest;

// The page of a preview, in a profile of its own. Only the user moves it elsewhere: a local page
// leaves for the address of the link under the user's click (or the focused link under the
// user's Enter), as the page's text writes it, fragment and all; a script's navigation of the
// whole view, a script's window, a form sent from a local page and history steps that would
// leave the local page are refused. A script never opens a modal box over the editor: alerts are
// dropped, confirmations (leaving a page included) are accepted and prompts cancelled, as a page
// that cannot be answered must not hold up the user's work. Permissions (camera, location,
// notifications, ...), file pickers and uploads are refused and console messages dropped.
class PreviewPage : public QWebEnginePage
{
    Q_OBJECT

public:
    // A page in profile, which must outlive it.
    PreviewPage(QWebEngineProfile *profile, QObject *parent);

    // Shows the file at url, which holds text. The network addresses text writes out are the
    // only ones the user can click through to; the history starts afresh with it.
    void showProgramPage(const QUrl &url, const QString &text);

    // The user pressed a mouse button at pos, in the view's coordinates.
    void noteClick(QPointF pos);
    // The user pressed a key in the view.
    void noteKey();
    // The view shows a web page the user went to, not a file.
    bool showsNetworkPage() const;
    // The view shows the page the program loaded last.
    bool showsProgramPage() const;
    // The user clicked or typed in the view a moment ago, which lets a page act on it.
    bool userJustActed() const;
    // Whether a local page's remote content (style sheets, scripts, images, fonts and media
    // fetched from web servers) loads; it is blocked until the user allows it.
    void setRemoteContentAllowed(bool allowed) { m_remoteAllowed = allowed; }

    // How many dialogs a page may ask for after it was shown before it counts as runaway.
    static constexpr int maxDialogs = 50;

signals:
    // The page's scripts ask for dialog after dialog: a loop the user cannot end.
    void runaway();
    // A local page asked for remote content, which was loaded or blocked as the user chose.
    void remoteContentRequested();

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue, QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceID) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles, const QStringList &acceptedMimeTypes) override;

private:
    void openNewWindow(QWebEngineNewWindowRequest &request);
    void answerProxy(const QUrl &requestUrl, QAuthenticator *authenticator, const QString &proxyHost);
    // Follows url once it proves to be the link the user's last click or key press was on.
    void followIfUsersLink(const QUrl &url);
    void countDialog();

    QString m_text;
    WrittenAddresses m_addresses;
    QUrl m_programUrl;
    // Counts the program's loads, so an answer about an older page is dropped.
    quint64 m_programLoads = 0;
    QElapsedTimer m_lastInput;
    QPointF m_clickPos;
    bool m_byKey = false;
    // The view is on its way to a network page the user chose, so its server's redirects are
    // followed until it has loaded.
    bool m_toNetwork = false;
    int m_dialogs = 0;
    bool m_remoteAllowed = false;
};
