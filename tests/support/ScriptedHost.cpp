// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedHost.h"

#include "text/FileIo.h"
#include "text/FileReader.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

ScriptedHost::ScriptedHost() = default;
ScriptedHost::~ScriptedHost() = default;

void ScriptedHost::answerMsgBox(int result)
{
    m_msgAnswers.push_back(result);
}

void ScriptedHost::answerInputBox(std::optional<QString> text)
{
    m_inputAnswers.push_back({!text.has_value(), text.value_or(QString())});
}

void ScriptedHost::answerFileDialog(std::optional<QString> path)
{
    m_fileAnswers.push_back({!path.has_value(), path.value_or(QString())});
}

void ScriptedHost::answerModal(std::function<int(QDialog &)> action)
{
    m_modalAnswers.push_back(std::move(action));
}

void ScriptedHost::failNextWrite(const QString &reason)
{
    m_nextWriteFailure = reason;
}

void ScriptedHost::failTempFolder(const QString &reason)
{
    m_tempFailure = reason;
}

std::optional<QString> ScriptedHost::take(std::deque<TextAnswer> &answers)
{
    const TextAnswer answer = answers.front();
    answers.pop_front();
    if (answer.cancelled)
        return std::nullopt;
    return answer.text;
}

bool ScriptedHost::allAnswered() const
{
    return m_msgAnswers.empty() && m_inputAnswers.empty() && m_fileAnswers.empty() && m_modalAnswers.empty();
}

void ScriptedHost::unexpected(const QString &kind, const QString &text)
{
    QTest::qFail(qPrintable(QStringLiteral("unscripted %1: %2").arg(kind, text)), __FILE__, __LINE__);
}

int ScriptedHost::MsgBox(const QString &text, int style, const QString &title)
{
    m_asked.append({QStringLiteral("MsgBox"), text, title, style, {}, 0, 0, {}});
    if (m_msgAnswers.empty()) {
        unexpected(QStringLiteral("message box"), text);
        return Cancel;
    }
    const int answer = m_msgAnswers.front();
    m_msgAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedHost::InputBox(const QString &prompt, const QString &title, const QString &defaultText, int xTwips,
                                              int yTwips)
{
    m_asked.append({QStringLiteral("InputBox"), prompt, title, 0, defaultText, xTwips, yTwips, {}});
    if (m_inputAnswers.empty()) {
        unexpected(QStringLiteral("input box"), prompt);
        return std::nullopt;
    }
    return take(m_inputAnswers);
}

std::optional<QString> ScriptedHost::ShowOpen(const QString &title, const QString &filter)
{
    m_asked.append({QStringLiteral("ShowOpen"), {}, title, 0, {}, 0, 0, filter});
    if (m_fileAnswers.empty()) {
        unexpected(QStringLiteral("open dialog"), title);
        return std::nullopt;
    }
    return take(m_fileAnswers);
}

std::optional<QString> ScriptedHost::ShowSave(const QString &title, const QString &filter)
{
    m_asked.append({QStringLiteral("ShowSave"), {}, title, 0, {}, 0, 0, filter});
    if (m_fileAnswers.empty()) {
        unexpected(QStringLiteral("save dialog"), title);
        return std::nullopt;
    }
    return take(m_fileAnswers);
}

void ScriptedHost::setClipboardText(const QString &text)
{
    m_clipboard = text;
}

QString ScriptedHost::clipboardText()
{
    return m_clipboard;
}

QString ScriptedHost::tempFolder(QString *error)
{
    if (!m_tempFailure.isEmpty()) {
        if (error)
            *error = m_tempFailure;
        return {};
    }
    return FileIo::privateTempFolder(error, m_tempRoot.path());
}

std::unique_ptr<FileReader> ScriptedHost::openFile(const QString &path, qint64 sizeLimit)
{
    return std::make_unique<FileReader>(path, sizeLimit);
}

QString ScriptedHost::writeFileAtomic(const QString &path, const ByteSource &bytes, bool mustExist)
{
    if (!m_nextWriteFailure.isEmpty()) {
        // As a disk that fills up halfway: the first pieces are taken before the failure.
        QByteArray piece;
        for (qint64 taken = 0; taken == 0 || taken < bytes.size / 2;) {
            if (!bytes.next(piece))
                break;
            taken += piece.size();
        }
        return std::exchange(m_nextWriteFailure, QString());
    }
    return FileIo::writeFileAtomic(path, bytes, mustExist);
}

QString ScriptedHost::writeFileFresh(const QString &path, const ByteSource &bytes)
{
    if (!m_nextWriteFailure.isEmpty())
        return std::exchange(m_nextWriteFailure, QString());
    return FileIo::writeFileFresh(path, bytes);
}

bool ScriptedHost::deleteFile(const QString &path)
{
    return FileIo::deleteFile(path);
}

int ScriptedHost::execModal(QDialog &dialog)
{
    m_asked.append({QStringLiteral("Modal"), dialog.objectName(), dialog.windowTitle(), 0, {}, 0, 0, {}});
    if (m_modalAnswers.empty()) {
        unexpected(QStringLiteral("modal dialog"), dialog.objectName());
        return QDialog::Rejected;
    }
    auto action = std::move(m_modalAnswers.front());
    m_modalAnswers.pop_front();
    return action(dialog);
}

void ScriptedHost::endProcess()
{
    // As the real host, but the test's event loop goes on.
    m_ended = true;
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
}
