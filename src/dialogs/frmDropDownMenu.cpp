// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmDropDownMenu.h"

#include "dialogs/DialogControls.h"
#include "dialogs/DropDownFragment.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace DialogControls;

namespace {

// The small square "+" and "-" buttons with their caption in large bold type.
QPushButton *squareButton(QWidget *parent, const char *name, const QString &caption, const QString &accessibleName)
{
    QPushButton *square = button(parent, name, caption);
    square->setAccessibleName(accessibleName);
    QFont font = square->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.6);
    square->setFont(font);
    square->setFixedSize(30, 30);
    return square;
}

} // namespace

frmDropDownMenu::frmDropDownMenu(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("frmDropDownMenu"));
    setWindowTitle(QStringLiteral("Insert Drop-Down Menu"));

    m_txtName = field(this, "txtName", {}, QStringLiteral("Name"), wideField);
    m_txtHeight = field(this, "txtHeight", QStringLiteral("1"), QStringLiteral("Height"), narrowField);
    m_txtTabOrder = field(this, "txtTabOrder", {}, QStringLiteral("Tab order"), narrowField);
    m_optYes = option(this, "optYes", QStringLiteral("Yes"));
    m_noOption = option(this, "Option2", QStringLiteral("No"), true);
    m_lstItems = new QListWidget(this);
    m_lstItems->setObjectName(QStringLiteral("lstItems"));
    m_lstItems->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstItems->setFixedSize(wideField + 60, 110);
    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();
    QPushButton *add = squareButton(this, "cmdAdd", QStringLiteral("+"), QStringLiteral("Add item"));
    QPushButton *remove = squareButton(this, "cmdRemove", QStringLiteral("-"), QStringLiteral("Remove selected item"));

    auto *fields = new QGridLayout;
    fields->addWidget(label(this, "Label1", QStringLiteral("Name:"), m_txtName), 0, 0);
    fields->addWidget(m_txtName, 0, 1, Qt::AlignLeft);
    fields->addWidget(label(this, "Label2", QStringLiteral("Height:"), m_txtHeight), 1, 0);
    fields->addLayout(tabOrderRow(m_txtHeight, m_txtTabOrder, "Label3"), 1, 1);

    auto *multipleRow = new QHBoxLayout;
    multipleRow->addWidget(label(this, "Label4", QStringLiteral("Allow multiple selections:"), m_noOption));
    multipleRow->addSpacing(8);
    multipleRow->addLayout(optionRow(QStringLiteral("Allow multiple selections"), {m_optYes, m_noOption}));

    auto *addRemove = new QVBoxLayout;
    addRemove->addWidget(add);
    addRemove->addWidget(remove);
    addRemove->addStretch();
    auto *itemsRow = new QHBoxLayout;
    itemsRow->addWidget(m_lstItems);
    itemsRow->addLayout(addRemove);
    itemsRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(fields);
    layout->addLayout(multipleRow);
    layout->addSpacing(4);
    layout->addWidget(label(this, "Label5", QStringLiteral("Items:"), m_lstItems));
    layout->addLayout(itemsRow);
    layout->addSpacing(4);
    layout->addLayout(buttonRow(ok, cancelButton, Qt::AlignLeft));

    tabOrder({m_txtName, m_txtHeight, m_txtTabOrder, m_optYes, m_noOption, m_lstItems, ok, cancelButton, add, remove});
    m_txtName->setFocus();

    connect(add, &QPushButton::clicked, this, &frmDropDownMenu::cmdAdd_Click);
    connect(remove, &QPushButton::clicked, this, &frmDropDownMenu::cmdRemove_Click);
    connect(ok, &QPushButton::clicked, this, &frmDropDownMenu::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmDropDownMenu::cmdCancel_Click);
}

void frmDropDownMenu::cmdAdd_Click()
{
    const std::optional<QString> item = askAtCorner(m_host, QStringLiteral("Enter Text"), QStringLiteral("Insert New Menu Item"));
    if (item && !item->isEmpty())
        m_lstItems->addItem(*item);
}

void frmDropDownMenu::cmdRemove_Click()
{
    const QList<QListWidgetItem *> selected = m_lstItems->selectedItems();
    if (selected.isEmpty())
        return;
    delete selected.first();
    // Nothing stays selected, so a second "-" cannot remove an item the user did not pick.
    m_lstItems->clearSelection();
    m_lstItems->setCurrentRow(-1);
}

void frmDropDownMenu::cmdOK_Click()
{
    DropDownFragment::SelectList list;
    list.name = m_txtName->text();
    list.height = m_txtHeight->text();
    list.tabOrder = m_txtTabOrder->text();
    list.multiple = m_optYes->isChecked();
    for (int row = 0; row < m_lstItems->count(); ++row)
        list.items << m_lstItems->item(row)->text();
    insertFragment(DropDownFragment::build(list));
}

void frmDropDownMenu::cmdCancel_Click()
{
    cancel(false);
}
