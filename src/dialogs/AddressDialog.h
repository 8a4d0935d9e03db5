// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ElementDialog.h"

#include <QString>

class HostServices;
class QLineEdit;
class QPushButton;

// The image and video dialogs: one address field with a picture button that fills it from an
// open-file dialog, above OK and Cancel.
class AddressDialog : public ElementDialog
{
    Q_OBJECT

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    struct Setup {
        const char *objectName;
        QString title;
        QString picture;   // resource path of the file button's picture
        int pictureSize;   // in pixels, square
        QString fileTitle; // title and filter of the open-file dialog
        QString fileFilter;
        QString (*fragment)(const QString &address); // the markup for an address
    };

    AddressDialog(EditorControl &editor, HostServices &host, std::function<void()> refreshPreview, const Setup &setup,
                  QWidget *parent);

    QLineEdit *m_addressField = nullptr;
    QPushButton *m_fileButton = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;

private:
    HostServices &m_host;
    QString m_fileTitle;
    QString m_fileFilter;
    QString (*m_fragment)(const QString &address) = nullptr;
};
