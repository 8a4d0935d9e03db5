// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatusPanels.h"

#include "host/KeyboardLocks.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QTime>
#include <QTimer>

namespace {

constexpr int panelWidth = 800 / 15; // 800 twips

void showState(QLabel *label, const QString &name, std::optional<bool> on)
{
    label->setText(on.has_value() ? name : QString());
    label->setEnabled(on.value_or(false));
}

} // namespace

StatusPanels::StatusPanels(std::function<bool()> overwriteMode, QWidget *parent)
    : QStatusBar(parent)
    , m_overwriteMode(std::move(overwriteMode))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(true);
    const QStringList names = {tr("Status"), tr("Caps Lock"), tr("Num Lock"), tr("Insert"), tr("Date"), tr("Time")};
    for (int i = 0; i < 6; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setAccessibleName(names.at(i));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        if (i == 0) {
            addWidget(label, 1);
        } else {
            label->setAlignment(Qt::AlignCenter);
            label->setMinimumWidth(panelWidth);
            addPermanentWidget(label);
        }
        m_panels << label;
    }
    connect(m_timer, &QTimer::timeout, this, &StatusPanels::refresh);
    m_timer->start(1000);
    refresh();
}

QLabel *StatusPanels::panel(int index) const
{
    return m_panels.value(index - 1);
}

void StatusPanels::showText(const QString &text)
{
    m_panels.at(0)->setText(text);
}

void StatusPanels::refresh()
{
    const KeyboardLocks locks = readKeyboardLocks();
    showState(m_panels.at(1), QStringLiteral("CAPS"), locks.capsLock);
    showState(m_panels.at(2), QStringLiteral("NUM"), locks.numLock);
    showState(m_panels.at(3), QStringLiteral("INS"), !m_overwriteMode());
    const QLocale locale;
    m_panels.at(4)->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    m_panels.at(5)->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}
