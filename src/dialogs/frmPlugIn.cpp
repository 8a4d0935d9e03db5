// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmPlugIn.h"

#include "dialogs/DialogControls.h"
#include "dialogs/LinkAddress.h"
#include "dialogs/MediaFragments.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace DialogControls;

namespace {

constexpr int kNumberWidth = 60;

QFormLayout *frameRows(QGroupBox *frame)
{
    auto *rows = new QFormLayout(frame);
    rows->setLabelAlignment(Qt::AlignLeft);
    rows->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return rows;
}

} // namespace

frmPlugIn::frmPlugIn(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("frmPlugIn"));
    setWindowTitle(QStringLiteral("Insert Plug-In"));

    m_Text1 = field(this, "Text1", QString(), QString());
    m_Text1->setMinimumWidth(260);
    auto *label1 = label(this, "Label1", QStringLiteral("Data Source:"), m_Text1);
    auto *cmdBrowse = button(this, "cmdBrowse", QStringLiteral("Browse..."));
    auto *source = new QHBoxLayout;
    source->addWidget(m_Text1, 1);
    source->addWidget(cmdBrowse);

    m_Text2 = field(this, "Text2", QString(), QString());
    auto *label2 = label(this, "Label2", QStringLiteral("Message for browsers without Plug-In support:"), m_Text2);

    auto *sizeFrame = frame(this, QStringLiteral("Size"));
    m_Text3 = field(sizeFrame, "Text3", QStringLiteral("128"), QString(), kNumberWidth);
    m_Text4 = field(sizeFrame, "Text4", QStringLiteral("128"), QString(), kNumberWidth);
    QFormLayout *sizeRows = frameRows(sizeFrame);
    sizeRows->addRow(label(sizeFrame, "Label3", QStringLiteral("Height:"), m_Text3), m_Text3);
    sizeRows->addRow(label(sizeFrame, "Label4", QStringLiteral("Width:"), m_Text4), m_Text4);
    m_Check1 = checkBox(this, "Check1", QStringLiteral("Hide Plug-In"));
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(sizeFrame);
    sizeRow->addSpacing(12);
    sizeRow->addWidget(m_Check1, 0, Qt::AlignTop);
    sizeRow->addStretch();

    auto *layoutFrame = frame(this, QStringLiteral("Layout"));
    m_Text5 = field(layoutFrame, "Text5", QString(), QString(), kNumberWidth);
    m_Text6 = field(layoutFrame, "Text6", QStringLiteral("0"), QString(), kNumberWidth);
    m_Text7 = field(layoutFrame, "Text7", QStringLiteral("0"), QString(), kNumberWidth);
    QFormLayout *layoutRows = frameRows(layoutFrame);
    layoutRows->addRow(label(layoutFrame, "Label5", QStringLiteral("Border thickness:"), m_Text5), m_Text5);
    layoutRows->addRow(label(layoutFrame, "Label6", QStringLiteral("Horizontal spacing:"), m_Text6), m_Text6);
    layoutRows->addRow(label(layoutFrame, "Label7", QStringLiteral("Vertical spacing:"), m_Text7), m_Text7);

    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label1);
    layout->addLayout(source);
    layout->addWidget(label2);
    layout->addWidget(m_Text2);
    layout->addLayout(sizeRow);
    layout->addWidget(layoutFrame);
    layout->addSpacing(6);
    layout->addLayout(buttonRow(ok, cancelButton, Qt::AlignJustify));

    tabOrder({m_Text1, cmdBrowse, m_Text2, m_Text3, m_Text4, m_Check1, m_Text5, m_Text6, m_Text7, ok, cancelButton});
    m_Text1->setFocus();

    connect(cmdBrowse, &QPushButton::clicked, this, &frmPlugIn::cmdBrowse_Click);
    connect(ok, &QPushButton::clicked, this, &frmPlugIn::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmPlugIn::cmdCancel_Click);
}

void frmPlugIn::cmdBrowse_Click()
{
    // A cancelled file dialog keeps whatever source was typed.
    if (const std::optional<QString> address =
            LinkAddress::chooseFile(m_host, QStringLiteral("Select File"), QStringLiteral("All Files|*.*")))
        m_Text1->setText(*address);
}

void frmPlugIn::cmdOK_Click()
{
    MediaFragments::PlugIn plugIn;
    plugIn.source = m_Text1->text();
    plugIn.message = m_Text2->text();
    plugIn.height = m_Text3->text();
    plugIn.width = m_Text4->text();
    plugIn.border = m_Text5->text();
    plugIn.hspace = m_Text6->text();
    plugIn.vspace = m_Text7->text();
    plugIn.hidden = m_Check1->isChecked();
    insertFragment(MediaFragments::plugIn(plugIn));
}

void frmPlugIn::cmdCancel_Click()
{
    cancel(true);
}
