// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/AddressDialog.h"

#include "dialogs/DialogControls.h"
#include "dialogs/LinkAddress.h"

#include <QBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace DialogControls;

AddressDialog::AddressDialog(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, const Setup &setup,
                             QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
    , m_host(host)
    , m_fileTitle(setup.fileTitle)
    , m_fileFilter(setup.fileFilter)
    , m_fragment(setup.fragment)
{
    setObjectName(QLatin1String(setup.objectName));
    setWindowTitle(setup.title);

    m_addressField = field(this, "Text1", QStringLiteral("http://"), QString());
    m_addressField->setMinimumWidth(280);
    auto *label1 = label(this, "Label1", QStringLiteral("URL:"), m_addressField);

    m_fileButton =
        pictureButton(this, "Command1", QIcon(setup.picture), setup.pictureSize, QStringLiteral("Insert image from file"));

    m_okButton = makeOkButton("Command2");
    m_cancelButton = makeCancelButton("Command3");

    auto *address = new QHBoxLayout;
    address->addWidget(label1);
    address->addWidget(m_addressField, 1);
    address->addWidget(m_fileButton);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(address);
    layout->addSpacing(6);
    layout->addLayout(buttonRow(m_okButton, m_cancelButton, Qt::AlignRight));

    connect(m_fileButton, &QPushButton::clicked, this, &AddressDialog::Command1_Click);
    connect(m_okButton, &QPushButton::clicked, this, &AddressDialog::Command2_Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &AddressDialog::Command3_Click);
}

void AddressDialog::Command1_Click()
{
    // A cancelled file dialog keeps whatever address was typed.
    if (const std::optional<QString> address = LinkAddress::chooseFile(m_host, m_fileTitle, m_fileFilter))
        m_addressField->setText(*address);
}

void AddressDialog::Command2_Click()
{
    insertFragment(m_fragment(m_addressField->text()));
}

void AddressDialog::Command3_Click()
{
    cancel(true);
}
