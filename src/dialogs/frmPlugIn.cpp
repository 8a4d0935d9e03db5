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

    m_sourceField = field(this, "Text1", QString(), QString());
    m_sourceField->setMinimumWidth(260);
    auto *label1 = label(this, "Label1", QStringLiteral("Data Source:"), m_sourceField);
    auto *cmdBrowse = button(this, "cmdBrowse", QStringLiteral("Browse..."));
    auto *source = new QHBoxLayout;
    source->addWidget(m_sourceField, 1);
    source->addWidget(cmdBrowse);

    m_messageField = field(this, "Text2", QString(), QString());
    auto *label2 = label(this, "Label2", QStringLiteral("Message for browsers without Plug-In support:"), m_messageField);

    auto *sizeFrame = frame(this, QStringLiteral("Size"));
    m_heightField = field(sizeFrame, "Text3", QStringLiteral("128"), QString(), kNumberWidth);
    m_widthField = field(sizeFrame, "Text4", QStringLiteral("128"), QString(), kNumberWidth);
    QFormLayout *sizeRows = frameRows(sizeFrame);
    sizeRows->addRow(label(sizeFrame, "Label3", QStringLiteral("Height:"), m_heightField), m_heightField);
    sizeRows->addRow(label(sizeFrame, "Label4", QStringLiteral("Width:"), m_widthField), m_widthField);
    m_hideCheck = checkBox(this, "Check1", QStringLiteral("Hide Plug-In"));
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(sizeFrame);
    sizeRow->addSpacing(12);
    sizeRow->addWidget(m_hideCheck, 0, Qt::AlignTop);
    sizeRow->addStretch();

    auto *layoutFrame = frame(this, QStringLiteral("Layout"));
    m_borderField = field(layoutFrame, "Text5", QString(), QString(), kNumberWidth);
    m_hspaceField = field(layoutFrame, "Text6", QStringLiteral("0"), QString(), kNumberWidth);
    m_vspaceField = field(layoutFrame, "Text7", QStringLiteral("0"), QString(), kNumberWidth);
    QFormLayout *layoutRows = frameRows(layoutFrame);
    layoutRows->addRow(label(layoutFrame, "Label5", QStringLiteral("Border thickness:"), m_borderField), m_borderField);
    layoutRows->addRow(label(layoutFrame, "Label6", QStringLiteral("Horizontal spacing:"), m_hspaceField), m_hspaceField);
    layoutRows->addRow(label(layoutFrame, "Label7", QStringLiteral("Vertical spacing:"), m_vspaceField), m_vspaceField);

    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label1);
    layout->addLayout(source);
    layout->addWidget(label2);
    layout->addWidget(m_messageField);
    layout->addLayout(sizeRow);
    layout->addWidget(layoutFrame);
    layout->addSpacing(6);
    layout->addLayout(buttonRow(ok, cancelButton, Qt::AlignJustify));

    tabOrder({m_sourceField, cmdBrowse, m_messageField, m_heightField, m_widthField, m_hideCheck, m_borderField, m_hspaceField,
              m_vspaceField, ok, cancelButton});
    m_sourceField->setFocus();

    connect(cmdBrowse, &QPushButton::clicked, this, &frmPlugIn::cmdBrowse_Click);
    connect(ok, &QPushButton::clicked, this, &frmPlugIn::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmPlugIn::cmdCancel_Click);
}

void frmPlugIn::cmdBrowse_Click()
{
    // A cancelled file dialog keeps whatever source was typed.
    if (const std::optional<QString> address =
            LinkAddress::chooseFile(m_host, QStringLiteral("Select File"), QStringLiteral("All Files|*.*")))
        m_sourceField->setText(*address);
}

void frmPlugIn::cmdOK_Click()
{
    MediaFragments::PlugIn plugIn;
    plugIn.source = m_sourceField->text();
    plugIn.message = m_messageField->text();
    plugIn.height = m_heightField->text();
    plugIn.width = m_widthField->text();
    plugIn.border = m_borderField->text();
    plugIn.hspace = m_hspaceField->text();
    plugIn.vspace = m_vspaceField->text();
    plugIn.hidden = m_hideCheck->isChecked();
    insertFragment(MediaFragments::plugIn(plugIn));
}

void frmPlugIn::cmdCancel_Click()
{
    cancel(true);
}
