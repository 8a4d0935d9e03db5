// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The new-document template: nine lines joined by CR LF, none after the last.
inline QString documentTemplate()
{
    return QStringLiteral("<HTML>\r\n"
                          "<HEAD>\r\n"
                          "<!-- Created With Zorvane v1.0 //-->\r\n"
                          "<TITLE>Untitled</TITLE>\r\n"
                          "</HEAD>\r\n"
                          "<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000CC>\r\n"
                          "\r\n"
                          "</BODY>\r\n"
                          "</HTML>");
}
