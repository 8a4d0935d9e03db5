// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmFrames.h"

#include "dialogs/FramesetTemplates.h"
#include "editing/InsertTag.h"
#include "editor/EditorControl.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int DiagramSize = 64;

enum class Pane { DarkRed, DarkBlue, White };

struct PaneRect {
    QRectF rect; // in hundredths of the diagram
    Pane pane;
};

// The panes of each layout, matching the templates: narrow and short panes take a fifth.
const QList<PaneRect> &panes(int number)
{
    static const QList<QList<PaneRect>> layouts = {
        {{{0, 0, 20, 100}, Pane::DarkRed}, {{20, 0, 80, 100}, Pane::White}},
        {{{0, 0, 100, 20}, Pane::DarkRed}, {{0, 20, 100, 80}, Pane::White}},
        {{{0, 0, 20, 100}, Pane::DarkRed}, {{20, 0, 80, 20}, Pane::DarkBlue}, {{20, 20, 80, 80}, Pane::White}},
        {{{0, 0, 100, 20}, Pane::DarkBlue}, {{0, 20, 20, 80}, Pane::DarkRed}, {{20, 20, 80, 80}, Pane::White}},
        {{{0, 0, 33, 100}, Pane::DarkRed}, {{33, 0, 33, 100}, Pane::White}, {{66, 0, 34, 100}, Pane::DarkBlue}},
        {{{0, 0, 100, 33}, Pane::DarkRed}, {{0, 33, 100, 33}, Pane::White}, {{0, 66, 100, 34}, Pane::DarkBlue}},
    };
    return layouts.at(number - 1);
}

QPixmap diagram(int number, qreal ratio)
{
    QPixmap pixmap(QSize(DiagramSize, DiagramSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1));
    const qreal unit = (DiagramSize - 1) / 100.0;
    for (const PaneRect &part : panes(number)) {
        switch (part.pane) {
        case Pane::DarkRed:
            painter.setBrush(QColor(0x80, 0x00, 0x00));
            break;
        case Pane::DarkBlue:
            painter.setBrush(QColor(0x00, 0x00, 0x80));
            break;
        case Pane::White:
            painter.setBrush(Qt::white);
            break;
        }
        const QRectF &r = part.rect;
        painter.drawRect(QRectF(r.x() * unit, r.y() * unit, r.width() * unit, r.height() * unit));
    }
    return pixmap;
}

const char *const DiagramNames[FramesetTemplates::Count] = {
    "Two columns", "Two rows", "Left column beside two rows", "Top row above two columns", "Three columns", "Three rows",
};

} // namespace

frmFrames::frmFrames(EditorControl &editor, std::function<void()> refreshPreview)
    : ToolWindow(QStringLiteral("Insert FRAME(S):"))
    , m_editor(editor)
    , m_refreshPreview(std::move(refreshPreview))
{
    setObjectName(QStringLiteral("frmFrames"));

    auto *title = new QLabel(QStringLiteral("Select Frame Type:"));
    title->setObjectName(QStringLiteral("Label1"));
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    for (int number = 1; number <= FramesetTemplates::Count; ++number) {
        const QString name = QString::fromLatin1(DiagramNames[number - 1]);
        auto *picture = new QLabel;
        picture->setObjectName(QStringLiteral("diagram%1").arg(number));
        picture->setPixmap(diagram(number, devicePixelRatioF()));
        picture->setAccessibleName(name);
        picture->setToolTip(name);
        picture->setAlignment(Qt::AlignCenter);
        auto *button = new QPushButton(QStringLiteral("Add Code"));
        button->setObjectName(QStringLiteral("frmd%1").arg(number));
        button->setAccessibleName(QStringLiteral("Add Code: %1").arg(name));
        button->setAutoDefault(false);
        picture->setBuddy(button);
        grid->addWidget(picture, 0, number - 1);
        grid->addWidget(button, 1, number - 1);
        m_frmd.append(button);
    }
    title->setBuddy(m_frmd.first());
    auto *note = new QLabel(QStringLiteral("Note: Frame code must be placed inside <HEAD></HEAD> Tag.."));
    note->setObjectName(QStringLiteral("Label2"));
    note->setTextFormat(Qt::PlainText);

    auto *root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    root->addWidget(title);
    root->addLayout(grid);
    root->addSpacing(4);
    root->addWidget(note);

    connect(m_frmd.at(0), &QPushButton::clicked, this, &frmFrames::frmd1_Click);
    connect(m_frmd.at(1), &QPushButton::clicked, this, &frmFrames::frmd2_Click);
    connect(m_frmd.at(2), &QPushButton::clicked, this, &frmFrames::frmd3_Click);
    connect(m_frmd.at(3), &QPushButton::clicked, this, &frmFrames::frmd4_Click);
    connect(m_frmd.at(4), &QPushButton::clicked, this, &frmFrames::frmd5_Click);
    connect(m_frmd.at(5), &QPushButton::clicked, this, &frmFrames::frmd6_Click);

    Form_Load();
}

void frmFrames::Form_Load()
{
    m_refreshPreview();
}

void frmFrames::addCode(int number)
{
    InsertTag(m_editor, QString(), FramesetTemplates::code(number));
}

void frmFrames::frmd1_Click()
{
    addCode(1);
}

void frmFrames::frmd2_Click()
{
    addCode(2);
}

void frmFrames::frmd3_Click()
{
    addCode(3);
}

void frmFrames::frmd4_Click()
{
    addCode(4);
}

void frmFrames::frmd5_Click()
{
    addCode(5);
}

void frmFrames::frmd6_Click()
{
    addCode(6);
}
