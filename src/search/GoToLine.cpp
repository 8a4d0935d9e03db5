// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/GoToLine.h"

#include "editor/EditorControl.h"
#include "host/HostServices.h"

#include <algorithm>

namespace GoToLine {

std::optional<int> lineNumber(const QString &typed, int lineCount)
{
    const QString text = typed.trimmed();
    qsizetype at = 0;
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        ++at;
    if (at == text.size())
        return std::nullopt;
    // Read digit by digit and held at the last line: a number of any length is only too far.
    qint64 value = 0;
    for (; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = std::min<qint64>(value * 10 + (c.unicode() - u'0'), lineCount);
    }
    if (negative)
        return 1;
    return static_cast<int>(std::clamp<qint64>(value, 1, std::max(1, lineCount)));
}

void ask(EditorControl &editor, HostServices &host, int xTwips, int yTwips)
{
    const int lines = editor.lineCount();
    const QString current = QString::number(editor.lineAt(editor.SelStart()) + 1);
    const std::optional<QString> typed =
        host.InputBox(QStringLiteral("Line number (1 - %1):").arg(lines), QStringLiteral("Go to Line"), current, xTwips, yTwips);
    if (!typed)
        return;
    const std::optional<int> line = lineNumber(*typed, lines);
    if (!line) {
        host.MsgBox(QStringLiteral("Enter a line number from 1 to %1.").arg(lines),
                    HostServices::OkOnly | HostServices::Exclamation);
        return;
    }
    editor.goToLine(*line - 1);
    editor.SetFocus();
}

} // namespace GoToLine
