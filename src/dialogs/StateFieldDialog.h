// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"
#include "dialogs/FormFieldFragments.h"

class QLineEdit;
class QRadioButton;

// The check box and radio button dialogs: a name, a value, an initial state chosen from two
// options and a tab order, in a column of labelled rows, with OK and Cancel.
class StateFieldDialog : public ElementDialog
{
    Q_OBJECT

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    struct Option {
        const char *name;
        QString caption;
    };
    struct Setup {
        const char *objectName;
        QString title;
        QString nameLabel;    // the label of txtName
        QString stateLabel;   // the label of the state options, ending with a colon
        Option on;            // the option for a field checked (selected) when the page opens
        Option off;           // the other one, selected at opening
        bool buttonsBelow;    // OK and Cancel side by side below the rows, not in a column beside them
        bool cancelRefreshes; // Cancel refreshes the quick preview before closing
        QString (*fragment)(const FormFieldFragments::StateField &);
    };

    StateFieldDialog(EditorControl &editor, std::function<void()> refreshPreview, const Setup &setup, QWidget *parent);

private:
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtValue = nullptr;
    QRadioButton *m_optOn = nullptr;
    QLineEdit *m_tabOrderField = nullptr;
    bool m_cancelRefreshes = true;
    QString (*m_fragment)(const FormFieldFragments::StateField &) = nullptr;
};
