// SPDX-License-Identifier: GPL-3.0-or-later
#include "formatting/FormattingToolbar.h"

#include <QComboBox>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace {

QIcon swatch(const QString &code)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(QColor(code));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

} // namespace

const QList<QPair<QString, QString>> &FormattingToolbar::colourTable()
{
    static const QList<QPair<QString, QString>> table = {
        {QStringLiteral("Black"), QStringLiteral("#000000")},   {QStringLiteral("Maroon"), QStringLiteral("#CC0000")},
        {QStringLiteral("Green"), QStringLiteral("#00CC00")},   {QStringLiteral("Olive"), QStringLiteral("#CCCC00")},
        {QStringLiteral("Navy"), QStringLiteral("#0000CC")},    {QStringLiteral("Purple"), QStringLiteral("#CC00CC")},
        {QStringLiteral("Teal"), QStringLiteral("#00CCCC")},    {QStringLiteral("Gray"), QStringLiteral("#999999")},
        {QStringLiteral("Silver"), QStringLiteral("#CCCCCC")},  {QStringLiteral("Red"), QStringLiteral("#FF0000")},
        {QStringLiteral("Lime"), QStringLiteral("#00FF00")},    {QStringLiteral("Yellow"), QStringLiteral("#FFFF00")},
        {QStringLiteral("Blue"), QStringLiteral("#0000FF")},    {QStringLiteral("Fuchsia"), QStringLiteral("#FF00FF")},
        {QStringLiteral("Aqua"), QStringLiteral("#00FFFF")},    {QStringLiteral("White"), QStringLiteral("#FFFFFF")},
    };
    return table;
}

FormattingToolbar::FormattingToolbar(QWidget *parent)
    : QToolBar(tr("Formatting"), parent)
    , m_fntcbo(new QComboBox(this))
    , m_colorCombo(new QComboBox(this))
    , m_sizeCombo(new QComboBox(this))
{
    setObjectName(QStringLiteral("formattlb"));
    setMovable(false);
    setIconSize(QSize(20, 20));

    m_fntcbo->setObjectName(QStringLiteral("fntcbo"));
    m_fntcbo->setEditable(true);
    m_fntcbo->setInsertPolicy(QComboBox::NoInsert);
    // A typed face is applied as typed: inline completion would turn "Courier" into "Courier New".
    m_fntcbo->setCompleter(nullptr);
    m_fntcbo->setMinimumContentsLength(14);
    m_fntcbo->setAccessibleName(tr("Font"));
    m_fntcbo->setToolTip(tr("Font"));
    m_colorCombo->setObjectName(QStringLiteral("ColorCombo"));
    m_colorCombo->setMinimumContentsLength(8);
    m_colorCombo->setAccessibleName(tr("Colour"));
    m_colorCombo->setToolTip(tr("Colour"));
    m_sizeCombo->setObjectName(QStringLiteral("SizeCombo"));
    m_sizeCombo->setMinimumContentsLength(3);
    m_sizeCombo->setAccessibleName(tr("Size"));
    m_sizeCombo->setToolTip(tr("Size"));
    addWidget(m_fntcbo);
    addWidget(m_colorCombo);
    addWidget(m_sizeCombo);
    addSeparator();

    addButton(QStringLiteral("Bold"), QStringLiteral("Bold"), QStringLiteral("format-text-bold"), QStringLiteral("bold"));
    addButton(QStringLiteral("Italic"), QStringLiteral("Italic"), QStringLiteral("format-text-italic"), QStringLiteral("italic"));
    addButton(QStringLiteral("Underline"), QStringLiteral("Underline"), QStringLiteral("format-text-underline"), QStringLiteral("underline"));
    addSeparator();
    addButton(QStringLiteral("Left"), QStringLiteral("Left Align"), QStringLiteral("format-justify-left"), QStringLiteral("align-left"));
    addButton(QStringLiteral("Center"), QStringLiteral("Center Align"), QStringLiteral("format-justify-center"), QStringLiteral("align-center"));
    addButton(QStringLiteral("Right"), QStringLiteral("Right Align"), QStringLiteral("format-justify-right"), QStringLiteral("align-right"));
    addSeparator();
    addButton(QStringLiteral("BR"), QStringLiteral("Insert Newline"), QStringLiteral("insert-text"), QStringLiteral("line-break"));
    addSeparator();
    addButton(QStringLiteral("Table"), QStringLiteral("Insert Table"), QStringLiteral("insert-table"), QStringLiteral("table"));
    addButton(QStringLiteral("Frame"), QStringLiteral("Insert Frameset"), QStringLiteral("view-split-left-right"), QStringLiteral("frames"));
}

void FormattingToolbar::addButton(const QString &key, const QString &toolTip, const QString &themeIcon, const QString &fallback)
{
    auto *button = new QToolButton(this);
    button->setObjectName(key);
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setIcon(QIcon::fromTheme(themeIcon, QIcon(QStringLiteral(":/icons/%1.svg").arg(fallback))));
    button->setAutoRaise(true);
    addWidget(button);
    m_buttons.insert(key, button);
    connect(button, &QToolButton::clicked, this, [this, key] { emit formattlb_ButtonClick(key); });
}

void FormattingToolbar::fillCombos()
{
    for (const auto &[name, code] : colourTable())
        m_colorCombo->addItem(swatch(code), name);
    for (const char *size : {"1", "2", "3", "4", "5", "6", "7", "+1", "+2", "+3", "+4"})
        m_sizeCombo->addItem(QString::fromLatin1(size));
    m_sizeCombo->setCurrentIndex(m_sizeCombo->findText(QStringLiteral("3")));
    for (const char *face : {"Arial", "Times New Roman", "Verdana", "Helvetica", "MS Sans Serif", "Georgia", "Courier New", "Courier"})
        m_fntcbo->addItem(QString::fromLatin1(face));
    m_fntcbo->setCurrentIndex(0);
}

void FormattingToolbar::resetColour()
{
    m_colorCombo->setCurrentIndex(0);
}
