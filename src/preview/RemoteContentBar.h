// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

class PreviewBrowser;
class QLabel;
class QPushButton;

// The one-line bar above a preview that shows while its local page asks for remote content:
// blocked, it offers "Load remote content" for the document; loaded, it offers to block it again.
// The choice is the document's (RemoteContentChoice); the preview then shows the page afresh.
class RemoteContentBar : public QWidget
{
    Q_OBJECT

public:
    // documentPath gives the document's file, empty while it is untitled.
    RemoteContentBar(PreviewBrowser *browser, std::function<QString()> documentPath, QWidget *parent);

    QPushButton *button() const { return m_button; }

signals:
    // The user changed the document's choice: its preview is to be shown again.
    void choiceChanged();

private:
    void follow();
    void toggle();

    PreviewBrowser *m_browser = nullptr;
    std::function<QString()> m_documentPath;
    QLabel *m_label = nullptr;
    QPushButton *m_button = nullptr;
};
