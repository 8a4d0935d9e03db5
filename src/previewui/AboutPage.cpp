// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewui/AboutPage.h"

#include <QFile>

QString aboutPageHtml()
{
    QString icon;
    QFile art(QStringLiteral(":/icons/zorvane.svg"));
    if (art.open(QIODevice::ReadOnly))
        icon = QStringLiteral("<img src=\"data:image/svg+xml;base64,%1\" width=\"96\" height=\"96\" alt=\"\">")
                   .arg(QString::fromLatin1(art.readAll().toBase64()));
    return QStringLiteral(
               "<!DOCTYPE html>\n"
               "<html lang=\"en\">\n"
               "<head>\n"
               "<meta charset=\"utf-8\">\n"
               "<title>About Zorvane v1.0</title>\n"
               "<style>\n"
               "body { font-family: sans-serif; margin: 2em auto; max-width: 40em; color: #202020; line-height: 1.5; }\n"
               "header { display: flex; align-items: center; gap: 1.5em; }\n"
               "h1 { margin: 0; font-size: 1.8em; }\n"
               "h1 small { display: block; font-size: 0.55em; font-weight: normal; color: #555; }\n"
               "h2 { font-size: 1.1em; margin-top: 1.5em; }\n"
               "</style>\n"
               "</head>\n"
               "<body>\n"
               "<header>%1<h1>Zorvane v1.0<small>HTML Source Editor</small></h1></header>\n"
               "<p>Zorvane edits the source of one web page at a time. The markup is coloured as you type; "
               "menus, toolbars and small dialogs write ready-made HTML at the caret: line breaks and rules, "
               "images, video and plug-ins, marquees, scripts, links and bookmarks, form fields, tables, "
               "framesets and font, size and colour wrappers.</p>\n"
               "<h2>Previewing</h2>\n"
               "<p>The Preview tab shows the page as it stands, saved or not, and F11 opens it in a window "
               "of its own. Both show the editor's text through a real browser engine.</p>\n"
               "<h2>Free software</h2>\n"
               "<p>Zorvane is free software: you may use, copy, share and change it free of charge under the "
               "terms of the GNU General Public License, version 3 or any later version. It comes with its "
               "source code and with no warranty.</p>\n"
               "</body>\n"
               "</html>\n")
        .arg(icon);
}
