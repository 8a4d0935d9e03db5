// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class EditorControl;
class FormattingToolbar;

// What the formatting toolbar does: its buttons wrap the editor's selection in markup or open the
// table and frameset tool windows; its combos wrap the selection in a font element.
class FormattingCommands : public QObject
{
    Q_OBJECT

public:
    struct Hooks {
        std::function<void()> refreshQuickPreview;
        std::function<void()> showTable;
        std::function<void()> showFrames;
    };

    FormattingCommands(FormattingToolbar &formattlb, EditorControl &r1, Hooks hooks, QObject *parent = nullptr);

public slots:
    void formattlb_ButtonClick(const QString &key);
    // An item chosen from the colour, size or font list.
    void ColorCombo_Click();
    void SizeCombo_Click();
    void fntcbo_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Enter in the font combo applies the typed face; any other key only edits the text.
    bool fntcbo_KeyPress(int key);
    // Wraps the selection in a font element and selects the former selection again.
    void wrapInFont(const QString &attribute, const QString &value);

    FormattingToolbar &m_formattlb;
    EditorControl &m_r1;
    Hooks m_hooks;
    // The font combo and its line edit, whose Enter key the filter takes.
    QPointer<QObject> m_fntcboKeys;
    QPointer<QObject> m_fntcboEditKeys;
};
