// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmMarquee.h"

#include "dialogs/DialogControls.h"
#include "dialogs/MarqueeFragment.h"
#include "dialogs/NamedColours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <initializer_list>

using namespace DialogControls;

namespace {

constexpr int kNumberWidth = 50;

struct Choice {
    const char *name;
    QString caption;
};

// Adds to row a frame of option buttons one above the other, the first selected; returns them.
QList<QRadioButton *> addOptionFrame(QBoxLayout *row, QWidget *parent, const QString &title,
                                     std::initializer_list<Choice> choices)
{
    QGroupBox *box = frame(parent, title);
    auto *column = new QVBoxLayout(box);
    QList<QRadioButton *> options;
    for (const Choice &choice : choices) {
        options.append(option(box, choice.name, choice.caption, options.isEmpty()));
        column->addWidget(options.constLast());
    }
    column->addStretch();
    row->addWidget(box);
    return options;
}

// A borderless container of its own for a pair of unit options, so each pair keeps its choice.
QWidget *unitOptions(QWidget *parent, const char *name, QRadioButton *&pixels, const char *pixelsName, QRadioButton *&percent,
                     const char *percentName)
{
    auto *container = new QWidget(parent);
    container->setObjectName(QLatin1String(name));
    pixels = option(container, pixelsName, QStringLiteral("in Pixels"), true);
    percent = option(container, percentName, QStringLiteral("in Percent"));
    auto *row = new QHBoxLayout(container);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(pixels);
    row->addWidget(percent);
    return container;
}

} // namespace

frmMarquee::frmMarquee(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmMarquee"));
    setWindowTitle(QStringLiteral("Insert Marquee"));

    m_textField = field(this, "Text1", QString(), QString());
    auto *textRow = new QHBoxLayout;
    textRow->addWidget(label(this, "Label1", QStringLiteral("Text:"), m_textField));
    textRow->addWidget(m_textField, 1);

    auto *frames = new QHBoxLayout;
    const QList<QRadioButton *> direction = addOptionFrame(
        frames, this, QStringLiteral("Direction"), {{"optLeft", QStringLiteral("Left")}, {"optRight", QStringLiteral("Right")}});
    m_optLeft = direction[0];
    auto *speed = frame(this, QStringLiteral("Movement Speed"));
    m_txtDelay = field(speed, "txtDelay", QStringLiteral("90"), QString(), kNumberWidth);
    m_txtAmount = field(speed, "txtAmount", QStringLiteral("6"), QString(), kNumberWidth);
    auto *speedRows = new QFormLayout(speed);
    speedRows->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    speedRows->addRow(label(speed, "Label2", QStringLiteral("Delay:"), m_txtDelay), m_txtDelay);
    speedRows->addRow(label(speed, "Label3", QStringLiteral("Amount:"), m_txtAmount), m_txtAmount);
    frames->addWidget(speed);
    const QList<QRadioButton *> behavior = addOptionFrame(frames, this, QStringLiteral("Behavior"),
                                                          {{"optScroll", QStringLiteral("Scroll")},
                                                           {"optSlide", QStringLiteral("Slide")},
                                                           {"optAlternate", QStringLiteral("Alternate")}});
    m_optScroll = behavior[0];
    m_optSlide = behavior[1];
    const QList<QRadioButton *> align = addOptionFrame(
        frames, this, QStringLiteral("Align with Text"),
        {{"optTop", QStringLiteral("Top")}, {"optMiddle", QStringLiteral("Middle")}, {"optBottom", QStringLiteral("Bottom")}});
    m_optTop = align[0];
    m_optMiddle = align[1];

    auto *size = frame(this, QStringLiteral("Size"));
    m_ckSpecifyWidth = checkBox(size, "ckSpecifyWidth", QStringLiteral("Specify Width:"));
    m_txtWidth = field(size, "txtWidth", QString(), QStringLiteral("Width"), kNumberWidth);
    auto *picture1 = unitOptions(size, "Picture1", m_optWidthPixels, "optWidthPixels", m_optWidthPercent, "optWidthPercent");
    m_ckSpecifyHeight = checkBox(size, "ckSpecifyHeight", QStringLiteral("Specify Height:"));
    m_txtHeight = field(size, "txtHeight", QString(), QStringLiteral("Height"), kNumberWidth);
    auto *picture2 = unitOptions(size, "Picture2", m_optHeightPixels, "optHeightPixels", m_optHeightPercent, "optHeightPercent");
    auto *sizeGrid = new QGridLayout(size);
    sizeGrid->addWidget(m_ckSpecifyWidth, 0, 0);
    sizeGrid->addWidget(m_txtWidth, 0, 1);
    sizeGrid->addWidget(picture1, 0, 2);
    sizeGrid->addWidget(m_ckSpecifyHeight, 1, 0);
    sizeGrid->addWidget(m_txtHeight, 1, 1);
    sizeGrid->addWidget(picture2, 1, 2);

    auto *repeat = frame(this, QStringLiteral("Repeat"));
    m_ckContinuously = checkBox(repeat, "ckContinuously", QStringLiteral("Continuously"), true);
    m_repeatCountField = field(repeat, "Text2", QStringLiteral("0"), QStringLiteral("Times to repeat"), kNumberWidth);
    m_timesLabel = label(repeat, "Label4", QStringLiteral("times"), m_repeatCountField);
    auto *repeatGrid = new QGridLayout(repeat);
    repeatGrid->addWidget(m_ckContinuously, 0, 0, 1, 3);
    repeatGrid->addWidget(m_repeatCountField, 1, 0);
    repeatGrid->addWidget(m_timesLabel, 1, 1);
    repeatGrid->setColumnStretch(2, 1);

    m_backgroundCombo = new QComboBox(this);
    m_backgroundCombo->setObjectName(QStringLiteral("Combo1"));
    m_backgroundCombo->addItems(NamedColours::names());
    m_backgroundCombo->setCurrentText(QStringLiteral("Default"));
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(label(this, "Label5", QStringLiteral("Background Color:"), m_backgroundCombo));
    colourRow->addWidget(m_backgroundCombo, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(repeat);
    right->addLayout(colourRow);
    right->addStretch();
    auto *options = new QHBoxLayout;
    options->addWidget(size, 0, Qt::AlignTop);
    options->addLayout(right, 1);

    QPushButton *ok = makeOkButton();
    QPushButton *cancelButton = makeCancelButton();

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(textRow);
    layout->addLayout(frames);
    layout->addLayout(options);
    layout->addSpacing(6);
    layout->addLayout(buttonRow(ok, cancelButton, Qt::AlignJustify));

    tabOrder({m_textField,        direction[0],     direction[1],       m_txtDelay,        m_txtAmount, behavior[0],
              behavior[1],        behavior[2],      align[0],           align[1],          align[2],    m_ckSpecifyWidth,
              m_txtWidth,         m_optWidthPixels, m_optWidthPercent,  m_ckSpecifyHeight, m_txtHeight, m_optHeightPixels,
              m_optHeightPercent, m_ckContinuously, m_repeatCountField, m_backgroundCombo, ok,          cancelButton});
    m_textField->setFocus();

    ckContinuously_Click();
    ckSpecifyWidth_Click();
    ckSpecifyHeight_Click();
    connect(m_ckContinuously, &QCheckBox::toggled, this, &frmMarquee::ckContinuously_Click);
    connect(m_ckSpecifyWidth, &QCheckBox::toggled, this, &frmMarquee::ckSpecifyWidth_Click);
    connect(m_ckSpecifyHeight, &QCheckBox::toggled, this, &frmMarquee::ckSpecifyHeight_Click);
    connect(ok, &QPushButton::clicked, this, &frmMarquee::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmMarquee::cmdCancel_Click);
}

void frmMarquee::ckContinuously_Click()
{
    const bool counted = !m_ckContinuously->isChecked();
    m_repeatCountField->setEnabled(counted);
    m_timesLabel->setEnabled(counted);
}

void frmMarquee::ckSpecifyWidth_Click()
{
    const bool on = m_ckSpecifyWidth->isChecked();
    m_txtWidth->setEnabled(on);
    m_optWidthPixels->setEnabled(on);
    m_optWidthPercent->setEnabled(on);
}

void frmMarquee::ckSpecifyHeight_Click()
{
    const bool on = m_ckSpecifyHeight->isChecked();
    m_txtHeight->setEnabled(on);
    m_optHeightPixels->setEnabled(on);
    m_optHeightPercent->setEnabled(on);
}

void frmMarquee::cmdOK_Click()
{
    // An empty text inserts nothing and keeps the dialog open; one space is a text.
    if (m_textField->text().isEmpty())
        return;
    using MarqueeFragment::Align;
    using MarqueeFragment::Behavior;
    MarqueeFragment::Marquee marquee;
    marquee.text = m_textField->text();
    marquee.scrollLeft = m_optLeft->isChecked();
    marquee.delay = m_txtDelay->text();
    marquee.amount = m_txtAmount->text();
    marquee.behavior = m_optScroll->isChecked()  ? Behavior::Scroll
                       : m_optSlide->isChecked() ? Behavior::Slide
                                                 : Behavior::Alternate;
    marquee.align = m_optTop->isChecked() ? Align::Top : m_optMiddle->isChecked() ? Align::Middle : Align::Bottom;
    marquee.specifyWidth = m_ckSpecifyWidth->isChecked();
    marquee.width = m_txtWidth->text();
    marquee.widthInPercent = !m_optWidthPixels->isChecked();
    marquee.specifyHeight = m_ckSpecifyHeight->isChecked();
    marquee.height = m_txtHeight->text();
    marquee.heightInPercent = !m_optHeightPixels->isChecked();
    marquee.continuously = m_ckContinuously->isChecked();
    marquee.loop = m_repeatCountField->text();
    marquee.colour = m_backgroundCombo->currentText();
    insertFragment(MarqueeFragment::build(marquee));
}

void frmMarquee::cmdCancel_Click()
{
    cancel(true);
}
