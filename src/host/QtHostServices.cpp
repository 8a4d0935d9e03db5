// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/QtHostServices.h"

#include "host/AppTitle.h"
#include "text/FileIo.h"
#include "text/FileReader.h"
#include "host/OneLineField.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

int QtHostServices::MsgBox(const QString &text, int style, const QString &title)
{
    QMessageBox box(owner());
    box.setText(text);
    box.setWindowTitle(title.isEmpty() ? appTitle() : title);
    const int icon = style & 0x70;
    if (icon == Exclamation)
        box.setIcon(QMessageBox::Warning);
    else if (icon == Information)
        box.setIcon(QMessageBox::Information);
    struct Choice {
        QMessageBox::StandardButton button;
        int result;
    };
    QList<Choice> choices;
    switch (style & 0x0F) {
    case RetryCancel:
        choices = {{QMessageBox::Retry, Retry}, {QMessageBox::Cancel, Cancel}};
        break;
    case YesNoCancel:
        choices = {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}, {QMessageBox::Cancel, Cancel}};
        break;
    case YesNo:
        choices = {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}};
        break;
    default:
        choices = {{QMessageBox::Ok, Ok}};
        break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice &choice : choices)
        buttons |= choice.button;
    box.setStandardButtons(buttons);
    box.setDefaultButton(choices.first().button);
    const int clicked = box.exec();
    for (const Choice &choice : choices) {
        if (clicked == choice.button)
            return choice.result;
    }
    // Closed by Esc or the title bar: the cancelling answer.
    return (style & 0x0F) == YesNo ? No : (style & 0x0F) == OkOnly ? Ok : Cancel;
}

std::optional<QString> QtHostServices::InputBox(const QString &prompt, const QString &title, const QString &defaultText,
                                                int xTwips, int yTwips)
{
    QInputDialog dialog(owner());
    dialog.setWindowTitle(title.isEmpty() ? appTitle() : title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    if (auto *field = dialog.findChild<QLineEdit *>())
        OneLineField::apply(*field);
    dialog.setTextValue(defaultText);
    dialog.move(xTwips / 15, yTwips / 15);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QStringList QtHostServices::nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns.join(u' '));
    }
    return filters;
}

std::optional<QString> QtHostServices::ShowOpen(const QString &title, const QString &filter)
{
    QFileDialog dialog(owner(), title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtHostServices::ShowSave(const QString &title, const QString &filter)
{
    QFileDialog dialog(owner(), title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters(filter));
    // The document is written where the user says, under the name given, without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void QtHostServices::setClipboardText(const QString &text)
{
    QApplication::clipboard()->setText(text);
}

QString QtHostServices::clipboardText()
{
    return QApplication::clipboard()->text();
}

QString QtHostServices::tempFolder(QString *error)
{
    return FileIo::privateTempFolder(error);
}

std::unique_ptr<FileReader> QtHostServices::openFile(const QString &path, qint64 sizeLimit)
{
    return std::make_unique<FileReader>(path, sizeLimit);
}

QString QtHostServices::writeFileAtomic(const QString &path, const ByteSource &bytes, bool mustExist)
{
    return FileIo::writeFileAtomic(path, bytes, mustExist);
}

QString QtHostServices::writeFileFresh(const QString &path, const ByteSource &bytes)
{
    return FileIo::writeFileFresh(path, bytes);
}

bool QtHostServices::deleteFile(const QString &path)
{
    return FileIo::deleteFile(path);
}

int QtHostServices::execModal(QDialog &dialog)
{
    return dialog.exec();
}

void QtHostServices::endProcess()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
    QCoreApplication::exit(0);
}

QWidget *QtHostServices::owner() const
{
    return m_mainWindow ? m_mainWindow.data() : QApplication::activeWindow();
}
