// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewui/SourceLinkOptions.h"

#include <QAction>
#include <QSettings>

namespace {

const char *const settingKeys[] = {"editing/aids/previewOutline", "editing/aids/previewSourceClick", "editing/aids/scrollSync",
                                   "editing/aids/scrollBothWays"};

} // namespace

SourceLinkOptions::SourceLinkOptions(QObject *parent)
    : QObject(parent)
{
    const QString titles[] = {tr("Outline the Caret's Element in the Previews"), tr("Ctrl+Click in a Preview Finds the Source"),
                              tr("Scroll the Preview Window with the Editor"), tr("Scroll the Editor with the Preview Window")};
    for (int option = 0; option < SwitchCount; ++option) {
        m_on[option] = QSettings().value(QLatin1String(settingKeys[option]), option != ScrollBothWays).toBool();
        m_toggles[option] = new QAction(titles[option], this);
        m_toggles[option]->setCheckable(true);
        m_toggles[option]->setChecked(m_on[option]);
        connect(m_toggles[option], &QAction::toggled, this, [this, option](bool on) { setOn(static_cast<Switch>(option), on); });
    }
    m_toggles[ScrollBothWays]->setEnabled(m_on[ScrollSync]);
}

bool SourceLinkOptions::isOn(Switch option) const
{
    return m_on[option] && (option != ScrollBothWays || m_on[ScrollSync]);
}

void SourceLinkOptions::setOn(Switch option, bool on)
{
    if (m_on[option] == on)
        return;
    m_on[option] = on;
    QSettings().setValue(QLatin1String(settingKeys[option]), on);
    m_toggles[option]->setChecked(on);
    if (option == ScrollSync)
        m_toggles[ScrollBothWays]->setEnabled(on);
    emit changed();
}

bool SourceLinkOptions::needsMarks() const
{
    return m_on[Outline] || m_on[SourceClick] || m_on[ScrollSync];
}
