// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmScript.h"

#include "dialogs/DialogControls.h"
#include "dialogs/ScriptFragment.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace DialogControls;

frmScript::frmScript(EditorControl &editor, std::function<void()> refreshPreview, QWidget *parent)
    : ElementDialog(editor, std::move(refreshPreview), parent)
{
    setObjectName(QStringLiteral("frmScript"));
    setWindowTitle(QStringLiteral("Insert Script"));

    auto *language = frame(this, QStringLiteral("Language"));
    m_optVBScript = option(language, "optVBScript", QStringLiteral("VBScript"), true);
    m_optJavaScript = option(language, "optJavaScript", QStringLiteral("JavaScript"));
    m_optOther = option(language, "optOther", QStringLiteral("Other:"));
    m_otherLanguageField = field(language, "Text1", QString(), QStringLiteral("Other language"), 140);
    auto *languageGrid = new QGridLayout(language);
    languageGrid->addWidget(m_optVBScript, 0, 0);
    languageGrid->addWidget(m_optJavaScript, 1, 0);
    languageGrid->addWidget(m_optOther, 2, 0);
    languageGrid->addWidget(m_otherLanguageField, 2, 1);

    auto *ok = button(this, "cmdOK", QStringLiteral("OK"));
    auto *cancelButton = button(this, "cmdCancel", QStringLiteral("Cancel"));
    // Neither a default nor a cancel button: Enter belongs to the script area and Esc does
    // nothing.
    ok->setAutoDefault(false);
    cancelButton->setAutoDefault(false);
    auto *top = new QHBoxLayout;
    top->addWidget(language);
    top->addStretch();
    top->addLayout(buttonColumn(ok, cancelButton));

    m_scriptArea = new QPlainTextEdit(this);
    m_scriptArea->setObjectName(QStringLiteral("Text2"));
    m_scriptArea->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_scriptArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scriptArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the buttons, as in every other field of the dialog.
    m_scriptArea->setTabChangesFocus(true);
    m_scriptArea->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_scriptArea->setFixedSize(440, 220);
    auto *label1 = label(this, "Label1", QStringLiteral("Script:"), m_scriptArea);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(top);
    layout->addWidget(label1);
    layout->addWidget(m_scriptArea);

    tabOrder({m_optVBScript, m_optJavaScript, m_optOther, m_otherLanguageField, ok, cancelButton, m_scriptArea});
    m_optVBScript->setFocus();

    optOther_Click();
    connect(m_optOther, &QRadioButton::toggled, this, &frmScript::optOther_Click);
    connect(ok, &QPushButton::clicked, this, &frmScript::cmdOK_Click);
    connect(cancelButton, &QPushButton::clicked, this, &frmScript::cmdCancel_Click);
}

// Runs whenever "Other:" is selected or left, whichever language option was clicked: the field
// is enabled exactly while "Other:" is selected and keeps its text while disabled.
void frmScript::optOther_Click()
{
    m_otherLanguageField->setEnabled(m_optOther->isChecked());
}

void frmScript::cmdOK_Click()
{
    using ScriptFragment::Language;
    ScriptFragment::Script script;
    script.language = m_optVBScript->isChecked()     ? Language::VBScript
                      : m_optJavaScript->isChecked() ? Language::JavaScript
                                                     : Language::Other;
    script.otherLanguage = m_otherLanguageField->text();
    script.source = areaText(*m_scriptArea);
    insertFragment(ScriptFragment::build(script));
}

void frmScript::cmdCancel_Click()
{
    cancel(true);
}
