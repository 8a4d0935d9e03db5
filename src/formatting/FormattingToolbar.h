// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QToolBar>

class QComboBox;
class QToolButton;

// The formatting toolbar: the font, colour and size combos, then the keyed buttons Bold, Italic,
// Underline, Left, Center, Right, BR, Table and Frame.
class FormattingToolbar : public QToolBar
{
    Q_OBJECT

public:
    explicit FormattingToolbar(QWidget *parent = nullptr);

    // Adds the combos' items; called once when the main window loads.
    void fillCombos();
    // Selects the colour combo's first item again.
    void resetColour();

    QComboBox *fntcbo() const { return m_fntcbo; }
    QComboBox *ColorCombo() const { return m_colorCombo; }
    QComboBox *SizeCombo() const { return m_sizeCombo; }
    QToolButton *button(const QString &key) const { return m_buttons.value(key); }

    // The colour names of the combo, in order, with their swatch colours.
    static const QList<QPair<QString, QString>> &colourTable();

signals:
    // A button was clicked; key names it.
    void formattlb_ButtonClick(const QString &key);

private:
    void addButton(const QString &key, const QString &toolTip, const QString &themeIcon, const QString &fallback);

    QComboBox *m_fntcbo = nullptr;
    QComboBox *m_colorCombo = nullptr;
    QComboBox *m_sizeCombo = nullptr;
    QHash<QString, QToolButton *> m_buttons;
};
