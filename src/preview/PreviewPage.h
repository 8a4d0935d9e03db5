// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWebEnginePage>

// The page of a preview. A link or script that asks for a new window opens its address in this
// page instead. A script never opens a modal box over the editor: alerts are dropped,
// confirmations (leaving a page included) are accepted and prompts cancelled, as a page that
// cannot be answered must not hold up the user's work.
class PreviewPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit PreviewPage(QObject *parent = nullptr);

protected:
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue, QString *result) override;
};
