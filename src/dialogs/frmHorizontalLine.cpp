// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmHorizontalLine.h"

#include "dialogs/DialogControls.h"
#include "dialogs/LineFragments.h"
#include "dialogs/NamedColours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace DialogControls;

frmHorizontalLine::frmHorizontalLine(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmHorizontalLine"));
    setWindowTitle(QStringLiteral("Insert Horizontal Line"));

    auto *widthFrame = frame(this, QStringLiteral("Width"));
    m_txtWidth = field(widthFrame, "txtWidth", QStringLiteral("100"), QStringLiteral("Width"), 60);
    m_optPercent = option(widthFrame, "optPercent", QStringLiteral("Percent of window"), true);
    auto *optPixels = option(widthFrame, "optPixels", QStringLiteral("Pixels"));
    auto *units = new QVBoxLayout;
    units->addWidget(m_optPercent);
    units->addWidget(optPixels);
    auto *widthLayout = new QHBoxLayout(widthFrame);
    widthLayout->addWidget(m_txtWidth, 0, Qt::AlignVCenter);
    widthLayout->addLayout(units);
    widthLayout->addStretch();

    auto *heightFrame = frame(this, QStringLiteral("Height"));
    m_txtHeight = field(heightFrame, "txtHeight", QStringLiteral("2"), QStringLiteral("Height in pixels"), 60);
    auto *lblPixels = label(heightFrame, "lblPixels", QStringLiteral("Pixels"), m_txtHeight);
    auto *heightLayout = new QHBoxLayout(heightFrame);
    heightLayout->addWidget(m_txtHeight);
    heightLayout->addWidget(lblPixels);
    heightLayout->addStretch();

    auto *alignFrame = frame(this, QStringLiteral("Alignment"));
    m_optLeft = option(alignFrame, "optLeft", QStringLiteral("Left"));
    m_optCenter = option(alignFrame, "optCenter", QStringLiteral("Center"), true);
    auto *optRight = option(alignFrame, "optRight", QStringLiteral("Right"));
    auto *alignLayout = new QHBoxLayout(alignFrame);
    alignLayout->addWidget(m_optLeft);
    alignLayout->addWidget(m_optCenter);
    alignLayout->addWidget(optRight);
    alignLayout->addStretch();

    m_colourCombo = new QComboBox(this);
    m_colourCombo->setObjectName(QStringLiteral("Combo1"));
    m_colourCombo->addItems(NamedColours::names());
    m_colourCombo->setCurrentText(QStringLiteral("Default"));
    auto *lblColor = label(this, "lblColor", QStringLiteral("Color:"), m_colourCombo);
    m_ckSolidLine = checkBox(this, "ckSolidLine", QStringLiteral("Solid line (no shading)"));
    auto *colourRow = new QGridLayout;
    colourRow->addWidget(lblColor, 0, 0);
    colourRow->addWidget(m_colourCombo, 1, 0);
    colourRow->addWidget(m_ckSolidLine, 1, 1);
    colourRow->setColumnStretch(1, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(widthFrame);
    left->addWidget(heightFrame);
    left->addWidget(alignFrame);
    left->addLayout(colourRow);

    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();

    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(left);
    layout->addSpacing(8);
    layout->addLayout(buttonColumn(ok, cancelButton));

    tabOrder({m_ckSolidLine, ok, cancelButton, m_txtWidth, m_optPercent, optPixels, m_txtHeight, m_optLeft, m_optCenter, optRight,
              m_colourCombo});
    m_ckSolidLine->setFocus();

    connect(ok, &QPushButton::clicked, this, &frmHorizontalLine::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmHorizontalLine::cmdCancel_Click);
}

void frmHorizontalLine::cmdOK_Click()
{
    using LineFragments::RuleAlign;
    LineFragments::HorizontalRule rule;
    rule.colour = m_colourCombo->currentText();
    rule.width = m_txtWidth->text();
    rule.widthInPercent = m_optPercent->isChecked();
    rule.height = m_txtHeight->text();
    rule.align = m_optLeft->isChecked() ? RuleAlign::Left : m_optCenter->isChecked() ? RuleAlign::Center : RuleAlign::Right;
    rule.solid = m_ckSolidLine->isChecked();
    insertFragment(LineFragments::horizontalRule(rule));
}

void frmHorizontalLine::cmdCancel_Click()
{
    // Unlike the other element dialogs, this Cancel leaves the quick preview as it is.
    cancel(false);
}
