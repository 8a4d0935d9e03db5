// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmColCode.h"

#include "dialogs/ColorCode.h"
#include "dialogs/DialogControls.h"
#include "editor/EditorControl.h"
#include "host/HostServices.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const QColor Outline(0x37, 0x47, 0x4f);

QPixmap blankIcon()
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A page with a colour code and a plus: the code goes into the document.
QIcon addCodeIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Outline, 2.5));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(6, 3, 28, 38), 2, 2);
    painter.setPen(QPen(QColor(0xe5, 0x39, 0x35), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QLineF(15, 12, 13, 30));
    painter.drawLine(QLineF(23, 12, 21, 30));
    painter.drawLine(QLineF(10, 18, 27, 18));
    painter.drawLine(QLineF(9, 25, 26, 25));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x43, 0xa0, 0x47));
    painter.drawEllipse(QRectF(26, 26, 20, 20));
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QLineF(36, 30, 36, 42));
    painter.drawLine(QLineF(30, 36, 42, 36));
    painter.end();
    return QIcon::fromTheme(QStringLiteral("insert-text"), QIcon(pixmap));
}

// A clipboard holding a sheet.
QIcon clipboardIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Outline, 2.5));
    painter.setBrush(QColor(0xa1, 0x88, 0x7f));
    painter.drawRoundedRect(QRectF(7, 6, 34, 39), 3, 3);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(12, 12, 24, 28));
    painter.setBrush(QColor(0x90, 0xa4, 0xae));
    painter.drawRoundedRect(QRectF(16, 2, 16, 8), 2, 2);
    painter.setPen(QPen(QColor(0x1e, 0x88, 0xe5), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int y : {20, 26, 32})
        painter.drawLine(QLineF(16, y, 32, y));
    painter.end();
    return QIcon::fromTheme(QStringLiteral("edit-copy"), QIcon(pixmap));
}

void setColours(QWidget *widget, const QColor &text, const QColor &background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, background);
    widget->setPalette(palette);
}

QScrollBar *colourBar(const QString &name, const QString &accessibleName)
{
    auto *bar = new QScrollBar(Qt::Horizontal);
    bar->setObjectName(name);
    bar->setAccessibleName(accessibleName);
    bar->setRange(0, 255);
    bar->setSingleStep(1);
    bar->setPageStep(16);
    bar->setMinimumWidth(220);
    bar->setFocusPolicy(Qt::StrongFocus);
    // Scroll bars invert their keys by default, which makes Right lower a horizontal bar.
    bar->setInvertedControls(false);
    // The displays follow a dragged thumb only when it is released.
    bar->setTracking(false);
    return bar;
}

QLineEdit *valueField(const char *name, const QString &accessibleName, const QColor &background)
{
    QLineEdit *edit = DialogControls::field(nullptr, name, QStringLiteral("0"), accessibleName, 44);
    setColours(edit, Qt::white, background);
    return edit;
}

QPushButton *iconButton(const char *name, const QIcon &icon, const QString &toolTip)
{
    QPushButton *button = DialogControls::pictureButton(nullptr, name, icon, 28, toolTip);
    button->setFixedSize(44, 44);
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmColCode::frmColCode(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview)
    : ToolWindow(QStringLiteral("Insert Color:"))
    , m_editor(editor)
    , m_host(host)
    , m_refreshPreview(std::move(refreshPreview))
    , m_Red(colourBar(QStringLiteral("Red"), tr("Red")))
    , m_Green(colourBar(QStringLiteral("Green"), tr("Green")))
    , m_Blue(colourBar(QStringLiteral("Blue"), tr("Blue")))
    , m_RText(valueField("RText", tr("Red value"), QColor(0xFF, 0x00, 0x00)))
    , m_GText(valueField("GText", tr("Green value"), QColor(0x00, 0xFF, 0x00)))
    , m_BText(valueField("BText", tr("Blue value"), QColor(0x00, 0x00, 0xFF)))
    , m_HexT(DialogControls::field(nullptr, "HexT", QStringLiteral("#000000"), tr("Hex code"), 90))
    , m_clrBox(new QFrame)
    , m_addcolbtn(iconButton("addcolbtn", addCodeIcon(), QStringLiteral("Add Color Code..")))
    , m_clipcopybtn(iconButton("clipcopybtn", clipboardIcon(), QStringLiteral("Copy Color Code to Clipboard")))
{
    setObjectName(QStringLiteral("frmColCode"));
    setCentredOnScreen(true);

    auto *picture2 = new QFrame;
    picture2->setObjectName(QStringLiteral("Picture2"));
    picture2->setFrameShape(QFrame::StyledPanel);
    picture2->setAutoFillBackground(true);
    QPalette grey = picture2->palette();
    grey.setColor(QPalette::Window, grey.color(QPalette::Window).darker(112));
    picture2->setPalette(grey);
    auto *rows = new QGridLayout(picture2);
    const struct {
        const char *name;
        const char *caption;
        QScrollBar *bar;
        QLineEdit *value;
    } parts[] = {{"Label1", "R", m_Red, m_RText}, {"Label2", "G", m_Green, m_GText}, {"Label3", "B", m_Blue, m_BText}};
    int row = 0;
    for (const auto &part : parts) {
        rows->addWidget(DialogControls::label(nullptr, part.name, QString::fromLatin1(part.caption), part.bar), row, 0);
        rows->addWidget(part.bar, row, 1);
        rows->addWidget(part.value, row, 2);
        ++row;
    }
    QLabel *hexLabel = DialogControls::label(nullptr, "Label4", QStringLiteral("Hex Code:"), m_HexT);
    setColours(m_HexT, QColor(0xFF, 0x80, 0x80), Qt::black);
    auto *hexRow = new QHBoxLayout;
    hexRow->addWidget(hexLabel);
    hexRow->addWidget(m_HexT);
    hexRow->addStretch();
    rows->addLayout(hexRow, row, 0, 1, 3);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_addcolbtn);
    buttons->addWidget(m_clipcopybtn);
    buttons->addStretch();

    auto *pictureBox2 = new QFrame;
    pictureBox2->setObjectName(QStringLiteral("pictureBox2"));
    pictureBox2->setFrameShape(QFrame::StyledPanel);
    pictureBox2->setFixedSize(120, 120);
    auto *swatch = new QVBoxLayout(pictureBox2);
    swatch->setContentsMargins(3, 3, 3, 3);
    m_clrBox->setObjectName(QStringLiteral("clrBox"));
    m_clrBox->setAccessibleName(tr("Colour swatch"));
    m_clrBox->setAutoFillBackground(true);
    swatch->addWidget(m_clrBox);

    auto *root = new QHBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    root->addWidget(picture2);
    root->addLayout(buttons);
    root->addWidget(pictureBox2, 0, Qt::AlignTop);

    connect(m_Red, &QScrollBar::valueChanged, this, &frmColCode::Red_Change);
    connect(m_Green, &QScrollBar::valueChanged, this, &frmColCode::Green_Change);
    connect(m_Blue, &QScrollBar::valueChanged, this, &frmColCode::Blue_Change);
    connect(m_clipcopybtn, &QPushButton::clicked, this, &frmColCode::clipcopybtn_Click);
    connect(m_addcolbtn, &QPushButton::clicked, this, &frmColCode::addcolbtn_Click);

    UpdateColor();
}

void frmColCode::Red_Change()
{
    UpdateColor();
}

void frmColCode::Green_Change()
{
    UpdateColor();
}

void frmColCode::Blue_Change()
{
    UpdateColor();
}

void frmColCode::UpdateColor()
{
    m_RText->setText(QString::number(m_Red->value()));
    m_GText->setText(QString::number(m_Green->value()));
    m_BText->setText(QString::number(m_Blue->value()));
    const int colour = ColorCode::value(m_Red->value(), m_Green->value(), m_Blue->value());
    QPalette palette = m_clrBox->palette();
    palette.setColor(QPalette::Window, QColor(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF));
    m_clrBox->setPalette(palette);
    m_HexT->setText(ColorCode::code(colour));
}

void frmColCode::clipcopybtn_Click()
{
    m_host.setClipboardText(m_HexT->text());
    m_host.MsgBox(QStringLiteral("Color Copied to clipboard!"), HostServices::OkOnly | HostServices::Information,
                  QStringLiteral("Copied"));
}

void frmColCode::addcolbtn_Click()
{
    m_editor.setSelText(m_editor.SelText() + m_HexT->text());
    m_refreshPreview();
    close();
}
