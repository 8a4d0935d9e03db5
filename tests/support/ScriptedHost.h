// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/HostServices.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <optional>

// HostServices for tests: answers every question from a script, records what was asked, and
// fails the running test on a question nobody scripted. Files are real (in a temporary folder
// of the test's own); the clipboard is a string.
class ScriptedHost : public HostServices
{
public:
    struct Question {
        QString kind; // "MsgBox", "InputBox", "ShowOpen", "ShowSave", "Modal"
        QString text; // message or prompt
        QString title;
        int style = 0;
        QString defaultText;
        int xTwips = 0;
        int yTwips = 0;
        QString filter;
    };

    ScriptedHost();
    ~ScriptedHost() override;

    // Scripted answers, used in the order given.
    void answerMsgBox(int result);
    void answerInputBox(std::optional<QString> text);
    void answerFileDialog(std::optional<QString> path);
    // Runs with the modal dialog instead of showing it; returns its result.
    void answerModal(std::function<int(QDialog &)> action);

    // The next atomic write fails with this reason after taking the first half of its pieces,
    // leaving the file as it was.
    void failNextWrite(const QString &reason);
    // tempFolder() fails with this reason from now on.
    void failTempFolder(const QString &reason);

    const QList<Question> &asked() const { return m_asked; }
    bool allAnswered() const;
    bool processEnded() const { return m_ended; }
    QString clipboard() const { return m_clipboard; }

    int MsgBox(const QString &text, int style = OkOnly, const QString &title = {}) override;
    std::optional<QString> InputBox(const QString &prompt, const QString &title, const QString &defaultText, int xTwips,
                                    int yTwips) override;
    std::optional<QString> ShowOpen(const QString &title, const QString &filter) override;
    std::optional<QString> ShowSave(const QString &title, const QString &filter) override;
    void setClipboardText(const QString &text) override;
    QString clipboardText() override;
    QString tempFolder(QString *error = nullptr) override;
    std::unique_ptr<FileReader> openFile(const QString &path, qint64 sizeLimit) override;
    using HostServices::writeFileAtomic;
    using HostServices::writeFileFresh;
    QString writeFileAtomic(const QString &path, const ByteSource &bytes, bool mustExist) override;
    QString writeFileFresh(const QString &path, const ByteSource &bytes) override;
    bool deleteFile(const QString &path) override;
    int execModal(QDialog &dialog) override;
    void endProcess() override;

private:
    void unexpected(const QString &kind, const QString &text);

    std::deque<int> m_msgAnswers;
    // A scripted text answer; cancelled stands for a dialog closed without an answer.
    struct TextAnswer {
        bool cancelled = true;
        QString text;
    };
    static std::optional<QString> take(std::deque<TextAnswer> &answers);

    std::deque<TextAnswer> m_inputAnswers;
    std::deque<TextAnswer> m_fileAnswers;
    std::deque<std::function<int(QDialog &)>> m_modalAnswers;
    QList<Question> m_asked;
    QString m_clipboard;
    QString m_nextWriteFailure;
    QString m_tempFailure;
    QTemporaryDir m_tempRoot;
    bool m_ended = false;
};
