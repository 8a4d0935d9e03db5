// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmTable.h"

#include "dialogs/DialogControls.h"
#include "dialogs/TableFragment.h"
#include "editor/EditorControl.h"
#include "host/HostServices.h"

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

using namespace DialogControls;

namespace {

// Width of the table generator's fields.
constexpr int FieldWidth = 90;

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

// Adds caption as the buddy label of edit on row of grid.
void addRow(QGridLayout *grid, int row, const char *labelName, const QString &caption, QLineEdit *edit)
{
    grid->addWidget(label(nullptr, labelName, caption, edit), row, 0);
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
    , m_tbrowstxt(field(nullptr, "tbrowstxt", QStringLiteral("2"), tr("Rows"), FieldWidth))
    , m_tbcolstxt(field(nullptr, "tbcolstxt", QStringLiteral("2"), tr("Columns"), FieldWidth))
    , m_tbwidthtxt(field(nullptr, "tbwidthtxt", QStringLiteral("90%"), tr("Width"), FieldWidth))
    , m_tbheighttxt(field(nullptr, "tbheighttxt", QString(), tr("Height"), FieldWidth))
    , m_tbbgclrtxt(field(nullptr, "tbbgclrtxt", QStringLiteral("#FFFFFF"), tr("Background colour"), FieldWidth))
    , m_tbbdrtxt(field(nullptr, "tbbdrtxt", QStringLiteral("1"), tr("Border size"), FieldWidth))
    , m_tbbdrclrtxt(field(nullptr, "tbbdrclrtxt", QStringLiteral("#000000"), tr("Border colour"), FieldWidth))
    , m_tbcelspctxt(field(nullptr, "tbcelspctxt", QStringLiteral("1"), tr("Cell spacing"), FieldWidth))
    , m_tbcelpadtxt(field(nullptr, "tbcelpadtxt", QStringLiteral("0"), tr("Cell padding"), FieldWidth))
    , m_ln(pictureButton(nullptr, "ln", colourPickerIcon(), 24, QStringLiteral("Launch ColorPicker")))
    , m_tbgenbtn(button(nullptr, "tbgenbtn", QStringLiteral("Generate")))
    , m_cnclbtn(button(nullptr, "cnclbtn", QStringLiteral("Cancel")))
{
    setObjectName(QStringLiteral("frmTable"));

    auto *rowsFrame = new QGroupBox(QStringLiteral("Rows and Columns:"));
    auto *rowsGrid = new QGridLayout(rowsFrame);
    addRow(rowsGrid, 0, "Label1", QStringLiteral("Row(s):"), m_tbrowstxt);
    addRow(rowsGrid, 1, "Label2", QStringLiteral("Col(s):"), m_tbcolstxt);
    rowsGrid->setColumnStretch(2, 1);

    auto *dimensionsFrame = new QGroupBox(QStringLiteral("Dimensions:"));
    auto *dimensionsGrid = new QGridLayout(dimensionsFrame);
    addRow(dimensionsGrid, 0, "Label3", QStringLiteral("Width:"), m_tbwidthtxt);
    addRow(dimensionsGrid, 1, "Label4", QStringLiteral("Height:"), m_tbheighttxt);
    auto *note = new QLabel(QStringLiteral("Note: Width or Height may change later depending on contents.."));
    note->setObjectName(QStringLiteral("Label8"));
    note->setWordWrap(true);
    note->setFixedWidth(190);
    dimensionsGrid->addWidget(note, 2, 0, 1, 3);
    dimensionsGrid->setColumnStretch(2, 1);

    auto *appearanceFrame = new QGroupBox(QStringLiteral("Appearance:"));
    auto *appearanceGrid = new QGridLayout(appearanceFrame);
    addRow(appearanceGrid, 0, "Label5", QStringLiteral("Background Color:"), m_tbbgclrtxt);
    addRow(appearanceGrid, 1, "Label6", QStringLiteral("Border Size:"), m_tbbdrtxt);
    addRow(appearanceGrid, 2, "Label10", QStringLiteral("Border Color:"), m_tbbdrclrtxt);
    addRow(appearanceGrid, 3, "Label7", QStringLiteral("Cell Spacing:"), m_tbcelspctxt);
    addRow(appearanceGrid, 4, "Label9", QStringLiteral("Cell Padding:"), m_tbcelpadtxt);
    m_ln->setFixedSize(36, 36);
    appearanceGrid->addWidget(m_ln, 0, 2, 3, 1, Qt::AlignCenter);

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

    tabOrder({m_tbrowstxt, m_tbcolstxt, m_tbwidthtxt, m_tbheighttxt, m_tbbgclrtxt, m_tbbdrtxt, m_tbcelspctxt, m_tbcelpadtxt,
              m_tbbdrclrtxt, m_tbgenbtn, m_ln, m_cnclbtn});
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
