// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmHyperLink.h"

#include "dialogs/DialogControls.h"
#include "dialogs/HyperLinkFragment.h"
#include "dialogs/LinkAddress.h"

#include <QComboBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace DialogControls;

frmHyperLink::frmHyperLink(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("frmHyperLink"));
    setWindowTitle(QStringLiteral("Insert HyperLink"));

    m_addressField = field(this, "Text1", QStringLiteral("http://"), QStringLiteral("URL"), 280);
    QPushButton *file = pictureButton(this, "cmdFile", QIcon(QStringLiteral(":/icons/link-file.svg")), 32,
                                      QStringLiteral("Make a hyperlink to a file on your computer"));
    QPushButton *email = pictureButton(this, "cmdEmail", QIcon(QStringLiteral(":/icons/link-email.svg")), 32,
                                       QStringLiteral("Make a hyperlink that send E-mail"));
    QPushButton *bookmark = pictureButton(this, "cmdBookmark", QIcon(QStringLiteral(":/icons/link-bookmark.svg")), 32,
                                          QStringLiteral("Create a hyperlink to a bookmark"));
    m_targetCombo = new QComboBox(this);
    m_targetCombo->setObjectName(QStringLiteral("Combo1"));
    m_targetCombo->addItems(HyperLinkFragment::targetNames());
    QPushButton *ok = makeOkButton("Command2");
    QPushButton *cancelButton = makeCancelButton("Command3");

    auto *pictures = new QHBoxLayout;
    pictures->setSpacing(4);
    for (QPushButton *picture : {file, email, bookmark}) {
        picture->setFixedSize(42, 42);
        pictures->addWidget(picture);
    }

    auto *layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(12);
    layout->addWidget(label(this, "Label1", QStringLiteral("URL:"), m_addressField), 0, 0);
    layout->addWidget(m_addressField, 0, 1);
    layout->addLayout(pictures, 0, 2);
    layout->addWidget(label(this, "Label2", QStringLiteral("Target:"), m_targetCombo), 1, 0);
    layout->addWidget(m_targetCombo, 1, 1, Qt::AlignLeft);
    layout->addLayout(buttonRow(ok, cancelButton, Qt::AlignRight), 1, 2);

    tabOrder({m_addressField, file, email, bookmark, m_targetCombo, ok, cancelButton});
    m_addressField->setFocus();

    connect(file, &QPushButton::clicked, this, &frmHyperLink::cmdFile_Click);
    connect(email, &QPushButton::clicked, this, &frmHyperLink::cmdEmail_Click);
    connect(bookmark, &QPushButton::clicked, this, &frmHyperLink::cmdBookmark_Click);
    connect(ok, &QPushButton::clicked, this, &frmHyperLink::Command2_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmHyperLink::Command3_Click);
    Form_Load();
}

void frmHyperLink::Form_Load()
{
    m_targetCombo->setCurrentText(QStringLiteral("None"));
}

void frmHyperLink::cmdFile_Click()
{
    // A cancelled file dialog keeps the address the user typed.
    if (const std::optional<QString> address =
            LinkAddress::chooseFile(m_host, QStringLiteral("Select File"), QStringLiteral("All Files|*.*")))
        m_addressField->setText(*address);
}

void frmHyperLink::cmdEmail_Click()
{
    // Cancelling keeps the address; confirming an empty answer still gives "mailto:".
    if (const std::optional<QString> address =
            askAtCorner(m_host, QStringLiteral("Enter the e-mail address of the recipient"), QStringLiteral("E-mail")))
        m_addressField->setText(LinkAddress::email(*address));
}

void frmHyperLink::cmdBookmark_Click()
{
    // Cancelling keeps the address; confirming an empty answer still gives "#".
    if (const std::optional<QString> name =
            askAtCorner(m_host, QStringLiteral("Enter bookmark name"), QStringLiteral("Bookmark")))
        m_addressField->setText(LinkAddress::bookmark(*name));
}

void frmHyperLink::Command2_Click()
{
    const auto target = static_cast<HyperLinkFragment::Target>(m_targetCombo->currentIndex());
    insertFragment(HyperLinkFragment::link(m_addressField->text(), target));
}

void frmHyperLink::Command3_Click()
{
    cancel(true);
}
