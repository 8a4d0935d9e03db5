// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preview/WrittenAddresses.h"

#include <QElapsedTimer>
#include <QWebEnginePage>

class QWebEngineNewWindowRequest;

// The page of a preview, in the shared private profile. Only the user moves it elsewhere: a link
// the user clicks, or a new window the user asks for, opens in this page; a script's navigation of
// the whole view, a script's window and a form sent to the network are refused, and an address on
// the network must be written out in the page's text. A script never opens a modal box over the
// editor: alerts are dropped, confirmations (leaving a page included) are accepted and prompts
// cancelled, as a page that cannot be answered must not hold up the user's work. Permissions
// (camera, location, notifications, ...) are refused.
class PreviewPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit PreviewPage(QObject *parent = nullptr);

    // The text of the page about to be shown; the network addresses it writes out are the only
    // ones the user can click through to.
    void setPageText(const QString &text);

    // The user pressed a mouse button or a key in the view.
    void noteUserInput();
    // The view shows a web page the user went to, not a file.
    bool showsNetworkPage() const;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue, QString *result) override;

private:
    void openNewWindow(QWebEngineNewWindowRequest &request);
    bool userJustActed() const;
    bool mayGoTo(const QUrl &url) const;

    WrittenAddresses m_addresses;
    QElapsedTimer m_lastInput;
    // The navigation the user started last, since the program's last load, went to the network,
    // so its server's redirects are followed.
    bool m_toNetwork = false;
};
