// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmTable.h"

#include "dialogs/TableFragment.h"
#include "platform/EditorControl.h"
#include "platform/HostServices.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Four colour chips: the picture of the button that opens the colour code picker.
QIcon colourPickerIcon()
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x37, 0x47, 0x4f), 2.5));
    const QColor chips[] = {QColor(0xe5, 0x39, 0x35), QColor(0x43, 0xa0, 0x47), QColor(0x1e, 0x88, 0xe5),
                            QColor(0xfd, 0xd8, 0x35)};
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(chips[i]);
        painter.drawRoundedRect(QRectF(5 + (i % 2) * 20, 5 + (i / 2) * 20, 18, 18), 3, 3);
    }
    painter.end();
    return QIcon::fromTheme(QStringLiteral("color-select"), QIcon(pixmap));
}

QLineEdit *field(const QString &name, const QString &text, const QString &accessibleName)
{
    auto *edit = new QLineEdit(text);
    edit->setObjectName(name);
    edit->setAccessibleName(accessibleName);
    edit->setFixedWidth(90);
    return edit;
}

// Adds caption as the buddy label of edit on row of grid.
void addRow(QGridLayout *grid, int row, const QString &labelName, const QString &caption, QLineEdit *edit)
{
    auto *label = new QLabel(caption);
    label->setObjectName(labelName);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
}

} // namespace

frmTable::frmTable(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview,
                   std::function<void()> showColourPicker)
    : ToolWindow(QStringLiteral("Insert Table:"))
    , m_editor(editor)
    , m_host(host)
    , m_refreshPreview(std::move(refreshPreview))
    , m_showColourPicker(std::move(showColourPicker))
    , m_tbrowstxt(field(QStringLiteral("tbrowstxt"), QStringLiteral("2"), tr("Rows")))
    , m_tbcolstxt(field(QStringLiteral("tbcolstxt"), QStringLiteral("2"), tr("Columns")))
    , m_tbwidthtxt(field(QStringLiteral("tbwidthtxt"), QStringLiteral("90%"), tr("Width")))
    , m_tbheighttxt(field(QStringLiteral("tbheighttxt"), QString(), tr("Height")))
    , m_tbbgclrtxt(field(QStringLiteral("tbbgclrtxt"), QStringLiteral("#FFFFFF"), tr("Background colour")))
    , m_tbbdrtxt(field(QStringLiteral("tbbdrtxt"), QStringLiteral("1"), tr("Border size")))
    , m_tbbdrclrtxt(field(QStringLiteral("tbbdrclrtxt"), QStringLiteral("#000000"), tr("Border colour")))
    , m_tbcelspctxt(field(QStringLiteral("tbcelspctxt"), QStringLiteral("1"), tr("Cell spacing")))
    , m_tbcelpadtxt(field(QStringLiteral("tbcelpadtxt"), QStringLiteral("0"), tr("Cell padding")))
    , m_ln(new QPushButton)
    , m_tbgenbtn(new QPushButton(QStringLiteral("Generate")))
    , m_cnclbtn(new QPushButton(QStringLiteral("Cancel")))
{
    setObjectName(QStringLiteral("frmTable"));

    auto *rowsFrame = new QGroupBox(QStringLiteral("Rows and Columns:"));
    auto *rowsGrid = new QGridLayout(rowsFrame);
    addRow(rowsGrid, 0, QStringLiteral("Label1"), QStringLiteral("Row(s):"), m_tbrowstxt);
    addRow(rowsGrid, 1, QStringLiteral("Label2"), QStringLiteral("Col(s):"), m_tbcolstxt);
    rowsGrid->setColumnStretch(2, 1);

    auto *dimensionsFrame = new QGroupBox(QStringLiteral("Dimensions:"));
    auto *dimensionsGrid = new QGridLayout(dimensionsFrame);
    addRow(dimensionsGrid, 0, QStringLiteral("Label3"), QStringLiteral("Width:"), m_tbwidthtxt);
    addRow(dimensionsGrid, 1, QStringLiteral("Label4"), QStringLiteral("Height:"), m_tbheighttxt);
    auto *note = new QLabel(QStringLiteral("Note: Width or Height may change later depending on contents.."));
    note->setObjectName(QStringLiteral("Label8"));
    note->setWordWrap(true);
    note->setFixedWidth(190);
    dimensionsGrid->addWidget(note, 2, 0, 1, 3);
    dimensionsGrid->setColumnStretch(2, 1);

    auto *appearanceFrame = new QGroupBox(QStringLiteral("Appearance:"));
    auto *appearanceGrid = new QGridLayout(appearanceFrame);
    addRow(appearanceGrid, 0, QStringLiteral("Label5"), QStringLiteral("Background Color:"), m_tbbgclrtxt);
    addRow(appearanceGrid, 1, QStringLiteral("Label6"), QStringLiteral("Border Size:"), m_tbbdrtxt);
    addRow(appearanceGrid, 2, QStringLiteral("Label10"), QStringLiteral("Border Color:"), m_tbbdrclrtxt);
    addRow(appearanceGrid, 3, QStringLiteral("Label7"), QStringLiteral("Cell Spacing:"), m_tbcelspctxt);
    addRow(appearanceGrid, 4, QStringLiteral("Label9"), QStringLiteral("Cell Padding:"), m_tbcelpadtxt);
    m_ln->setObjectName(QStringLiteral("ln"));
    m_ln->setIcon(colourPickerIcon());
    m_ln->setIconSize(QSize(24, 24));
    m_ln->setFixedSize(36, 36);
    m_ln->setToolTip(QStringLiteral("Launch ColorPicker"));
    m_ln->setAccessibleName(QStringLiteral("Launch ColorPicker"));
    appearanceGrid->addWidget(m_ln, 0, 2, 3, 1, Qt::AlignCenter);

    m_tbgenbtn->setObjectName(QStringLiteral("tbgenbtn"));
    m_cnclbtn->setObjectName(QStringLiteral("cnclbtn"));
    m_tbgenbtn->setAccessibleName(QStringLiteral("Generate"));
    m_cnclbtn->setAccessibleName(QStringLiteral("Cancel"));
    // No default button: Enter in a field generates nothing.
    for (QPushButton *button : {m_ln, m_tbgenbtn, m_cnclbtn})
        button->setAutoDefault(false);

    auto *left = new QVBoxLayout;
    left->addWidget(rowsFrame);
    left->addWidget(dimensionsFrame);
    left->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_tbgenbtn);
    buttons->addStretch();
    buttons->addWidget(m_cnclbtn);
    auto *right = new QVBoxLayout;
    right->addWidget(appearanceFrame);
    right->addStretch();
    right->addLayout(buttons);
    auto *root = new QHBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    root->addLayout(left);
    root->addLayout(right);

    const QList<QWidget *> tabOrder = {m_tbrowstxt,   m_tbcolstxt,   m_tbwidthtxt,  m_tbheighttxt, m_tbbgclrtxt, m_tbbdrtxt,
                                       m_tbcelspctxt, m_tbcelpadtxt, m_tbbdrclrtxt, m_tbgenbtn,    m_ln,         m_cnclbtn};
    for (qsizetype i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i), tabOrder.at(i + 1));
    m_tbrowstxt->setFocus();

    connect(m_tbgenbtn, &QPushButton::clicked, this, &frmTable::tbgenbtn_Click);
    connect(m_cnclbtn, &QPushButton::clicked, this, &frmTable::cnclbtn_Click);
    connect(m_ln, &QPushButton::clicked, this, &frmTable::ln_Click);
}

std::optional<int> frmTable::readCount(QLineEdit *field, const QString &name)
{
    const std::optional<int> count = TableFragment::toCount(field->text());
    if (!count) {
        m_host.MsgBox(QStringLiteral("%1 must be a number from -32768 to 32767.").arg(name),
                      HostServices::OkOnly | HostServices::Exclamation, windowTitle());
        field->setFocus();
        field->selectAll();
    }
    return count;
}

void frmTable::tbgenbtn_Click()
{
    const std::optional<int> rows = readCount(m_tbrowstxt, QStringLiteral("Row(s)"));
    if (!rows)
        return;
    const std::optional<int> columns = readCount(m_tbcolstxt, QStringLiteral("Col(s)"));
    if (!columns)
        return;
    TableFragment table;
    table.rows = *rows;
    table.columns = *columns;
    table.width = m_tbwidthtxt->text();
    table.height = m_tbheighttxt->text();
    table.backgroundColour = m_tbbgclrtxt->text();
    table.borderSize = m_tbbdrtxt->text();
    table.borderColour = m_tbbdrclrtxt->text();
    table.cellSpacing = m_tbcelspctxt->text();
    table.cellPadding = m_tbcelpadtxt->text();
    if (table.cellCount() > TableFragment::MaxCells) {
        m_host.MsgBox(QStringLiteral("A table of %1 rows and %2 columns has %3 cells; at most %4 cells can be generated at once.")
                          .arg(table.rows)
                          .arg(table.columns)
                          .arg(table.cellCount())
                          .arg(TableFragment::MaxCells),
                      HostServices::OkOnly | HostServices::Exclamation, windowTitle());
        m_tbrowstxt->setFocus();
        return;
    }
    m_editor.setSelText(m_editor.SelText() + table.build());
    m_refreshPreview();
    close();
}

void frmTable::cnclbtn_Click()
{
    close();
}

void frmTable::ln_Click()
{
    m_showColourPicker();
}
