// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/FramesetTemplates.h"

#include <QStringList>

namespace {

// The templates are kept letter for letter, odd spellings and spacing included: pages written
// with them depend on these file and frame names.
const QStringList &templates()
{
    static const QStringList list = {
        QStringLiteral("<frameset cols='80,*' frameborder='NO' border='0' framespacing='0'>\r\n"
                       "  <frame src='Toppage.html' name='topFrame' scrolling='NO' noresize>\r\n"
                       "   <frame src='Botompage.html' name='bottomFrame'>\r\n"
                       "</frameset>\r\n"),
        QStringLiteral("<frameset rows='80,*' frameborder='NO' border='0' framespacing='0'>\r\n"
                       "  <frame src='Leftpage.html' name='LeftFrame' scrolling='NO' noresize>\r\n"
                       "   <frame src='Rightpage.html' name='RightFrame'>\r\n"
                       "</frameset>\r\n"),
        QStringLiteral("<frameset cols='80,*' rows='*' frameborder='NO' border='0' framespacing='0'>\r\n"
                       "  <frame src='Toppage.html' name='topFrame' scrolling='NO' noresize >\r\n"
                       "  <frameset cols='80,*' frameborder='NO' border='0' framespacing='0'>\r\n"
                       "    <frame src='BottomLeftpage.html' name='leftFrame' scrolling='NO' noresize>\r\n"
                       "    <frame src='Bottomrightpage.html' name='RightFrame'>\r\n"
                       "  </frameset>\r\n"
                       "</frameset>\r\n"),
        QStringLiteral("<frameset rows='80,*' cols='*' frameborder='NO' border='0' framespacing='0'>\r\n"
                       "  <frame src='Leftpage.html' name='LeftFrame' scrolling='NO' noresize >\r\n"
                       "  <frameset rows='80,*' frameborder='NO' border='0' framespacing='0'>\r\n"
                       "    <frame src='TopRightpage.html' name='TopRightFrame' scrolling='NO' noresize>\r\n"
                       "    <frame src='BottomRightpage.html' name='BottomRightFrame'>\r\n"
                       "  </frameset>\r\n"
                       "</frameset>\r\n"),
        QStringLiteral("<frameset cols='33%,33%, 34%' frameborder='NO' border='0' framespacing='0'>\r\n"
                       "  <frame src='LeftMostPage.html' name='LeftMostFrame'>\r\n"
                       "  <frame src='MidPage.html' name='MidFrame'>\r\n"
                       "  <frame src='RightMostPage.html' name='RightMostFrame'>\r\n"
                       "</frameset>\r\n"),
        QStringLiteral("<frameset rows='33%,33%, 34%' frameborder='NO' border='0' framespacing='0'>\r\n"
                       "  <frame src='TopMostPage.html' name='TopMostFrame'>\r\n"
                       "  <frame src='MidPage.html' name='MidFrame'>\r\n"
                       "  <frame src='BottomMostPage.html' name='BottomMostFrame'>\r\n"
                       "</frameset>\r\n"),
    };
    return list;
}

} // namespace

QString FramesetTemplates::code(int number)
{
    if (number < 1 || number > Count)
        return {};
    return templates().at(number - 1);
}
