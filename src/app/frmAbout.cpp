// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmAbout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSvgWidget>
#include <QVBoxLayout>

frmAbout::frmAbout(std::function<void()> refreshPreview, std::function<void(frmAbout &)> openLink, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_refreshPreview(std::move(refreshPreview))
    , m_openLink(std::move(openLink))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setAccessibleName(QStringLiteral("About"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#frmAbout { border: 1px solid #707070; } #Picture1 { background: white; }"));

    auto *picture = new QWidget(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setAttribute(Qt::WA_StyledBackground);
    auto *art = new QSvgWidget(QStringLiteral(":/icons/about.svg"), picture);
    art->setFixedSize(96, 96);
    art->setAccessibleName(tr("Zorvane"));
    auto *title = new QLabel(QStringLiteral("<b style='font-size:14pt'>Zorvane v1.0</b><br>HTML Source Editor"), picture);
    m_label1 = new QLabel(QStringLiteral("<a href='about:zorvane'>More information about Zorvane...</a>"), picture);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setCursor(Qt::PointingHandCursor);
    m_label1->setAccessibleName(tr("More information"));
    m_label1->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    auto *label2 = new QLabel(QStringLiteral("Zorvane is free software: you may use, copy and share it free of charge.\n"
                                             "It comes with its source code and can be obtained from its project page."),
                              picture);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);
    label2->setAccessibleName(tr("Licence"));

    auto *text = new QVBoxLayout;
    text->addWidget(title);
    text->addSpacing(8);
    text->addWidget(m_label1);
    text->addWidget(label2);
    text->addStretch();
    auto *pictureLayout = new QHBoxLayout(picture);
    pictureLayout->setContentsMargins(16, 16, 16, 16);
    pictureLayout->setSpacing(16);
    pictureLayout->addWidget(art, 0, Qt::AlignTop);
    pictureLayout->addLayout(text, 1);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 10);
    layout->addWidget(picture);
    layout->addSpacing(6);
    auto *buttonRow = new QWidget(this);
    buttonRow->setLayout(buttons);
    buttons->setContentsMargins(0, 0, 12, 0);
    layout->addWidget(buttonRow);
    setFixedWidth(460);

    connect(ok, &QPushButton::clicked, this, &frmAbout::Command1_Click);
    connect(m_label1, &QLabel::linkActivated, this, &frmAbout::Label1_Click);
}

void frmAbout::Command1_Click()
{
    accept();
    m_refreshPreview();
}

void frmAbout::Label1_Click()
{
    hide();
    m_openLink(*this);
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QWidget *owner = parentWidget())
        move(owner->geometry().center() - rect().center());
}
