// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmHyperLink.h"

#include "dialogs/FormControls.h"
#include "dialogs/HyperLinkFragment.h"
#include "dialogs/LinkAddress.h"
#include "platform/HostServices.h"

#include <QComboBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace FormControls;

namespace {

// A button showing only a 32 by 32 picture; its tool tip says what it does.
QPushButton *pictureButton(QWidget *parent, const char *name, const char *picture, const QString &toolTip)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(picture))));
    button->setIconSize(QSize(32, 32));
    button->setFixedSize(42, 42);
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    return button;
}

} // namespace

frmHyperLink::frmHyperLink(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("frmHyperLink"));
    setWindowTitle(QStringLiteral("Insert HyperLink"));

    m_Text1 = lineEdit(this, "Text1", QStringLiteral("http://"), QStringLiteral("URL"), 280);
    QPushButton *file =
        pictureButton(this, "cmdFile", "link-file", QStringLiteral("Make a hyperlink to a file on your computer"));
    QPushButton *email = pictureButton(this, "cmdEmail", "link-email", QStringLiteral("Make a hyperlink that send E-mail"));
    QPushButton *bookmark =
        pictureButton(this, "cmdBookmark", "link-bookmark", QStringLiteral("Create a hyperlink to a bookmark"));
    m_Combo1 = new QComboBox(this);
    m_Combo1->setObjectName(QStringLiteral("Combo1"));
    m_Combo1->setAccessibleName(QStringLiteral("Target"));
    m_Combo1->addItems(HyperLinkFragment::targetNames());
    QPushButton *ok = makeOkButton("Command2");
    QPushButton *cancel = makeCancelButton("Command3");

    auto *pictures = new QHBoxLayout;
    pictures->setSpacing(4);
    pictures->addWidget(file);
    pictures->addWidget(email);
    pictures->addWidget(bookmark);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QGridLayout(this);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(12);
    layout->addWidget(label(this, QStringLiteral("URL:"), m_Text1, "Label1"), 0, 0);
    layout->addWidget(m_Text1, 0, 1);
    layout->addLayout(pictures, 0, 2);
    layout->addWidget(label(this, QStringLiteral("Target:"), m_Combo1, "Label2"), 1, 0);
    layout->addWidget(m_Combo1, 1, 1, Qt::AlignLeft);
    layout->addLayout(buttons, 1, 2);
    makeFixed(*this, *layout);

    setTabOrder(m_Text1, file);
    setTabOrder(file, email);
    setTabOrder(email, bookmark);
    setTabOrder(bookmark, m_Combo1);
    setTabOrder(m_Combo1, ok);
    setTabOrder(ok, cancel);
    m_Text1->setFocus();

    connect(file, &QPushButton::clicked, this, &frmHyperLink::cmdFile_Click);
    connect(email, &QPushButton::clicked, this, &frmHyperLink::cmdEmail_Click);
    connect(bookmark, &QPushButton::clicked, this, &frmHyperLink::cmdBookmark_Click);
    connect(ok, &QPushButton::clicked, this, &frmHyperLink::Command2_Click);
    connect(cancel, &QPushButton::clicked, this, &frmHyperLink::Command3_Click);
    Form_Load();
}

void frmHyperLink::Form_Load()
{
    m_Combo1->setCurrentText(QStringLiteral("None"));
}

std::optional<QString> frmHyperLink::ask(const QString &prompt, const QString &title)
{
    return m_host.InputBox(prompt, title, QString(), x() * 15, y() * 15);
}

void frmHyperLink::cmdFile_Click()
{
    // A cancelled file dialog keeps the address the user typed.
    if (const std::optional<QString> address =
            LinkAddress::chooseFile(m_host, QStringLiteral("Select File"), QStringLiteral("All Files|*.*")))
        m_Text1->setText(*address);
}

void frmHyperLink::cmdEmail_Click()
{
    // Cancelling keeps the address; confirming an empty answer still gives "mailto:".
    if (const std::optional<QString> address =
            ask(QStringLiteral("Enter the e-mail address of the recipient"), QStringLiteral("E-mail")))
        m_Text1->setText(LinkAddress::email(*address));
}

void frmHyperLink::cmdBookmark_Click()
{
    // Cancelling keeps the address; confirming an empty answer still gives "#".
    if (const std::optional<QString> name = ask(QStringLiteral("Enter bookmark name"), QStringLiteral("Bookmark")))
        m_Text1->setText(LinkAddress::bookmark(*name));
}

void frmHyperLink::Command2_Click()
{
    const auto target = static_cast<HyperLinkFragment::Target>(m_Combo1->currentIndex());
    insertFragment(HyperLinkFragment::link(m_Text1->text(), target));
}

void frmHyperLink::Command3_Click()
{
    cancel(true);
}
