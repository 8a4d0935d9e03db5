// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Small pages for the page model: valid ones (nothing may be reported) and ones with one known
// fault each, on a known line, with a part of the message that reports it.
struct CorpusPage {
    const char *name;
    QString text;
    int faultLine = 0; // 0 for a valid page
    QString message;
};

inline QList<CorpusPage> corpusPages()
{
    const QString head = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\"><title>T</title></head>\n<body>\n");
    return {
        {"optional end tags and void elements",
         head + QStringLiteral("<p>One\n<p>Two<br>three<hr>\n<ul><li>a<li>b</ul>\n<dl><dt>t<dd>d</dl>\n"
                               "<table><caption>c<tr><th>h<td>1<td>2<tr><td>3<td>4</table>\n"
                               "<select name=\"s\"><option>a<option selected>b</select>\n"
                               "<input type=\"checkbox\" checked disabled><img src=\"a.png\" alt=\"\">\n"),
         0, {}},
        {"upper-case markup",
         QStringLiteral("<!DOCTYPE HTML>\n<HTML LANG=\"en\">\n<HEAD><TITLE>Old</TITLE></HEAD>\n<BODY>\n"
                        "<H1 CLASS=\"x\">Head</H1>\n<P>Text<BR>\n<A HREF=\"#top\" TARGET=\"_blank\">Link</A>\n"
                        "<IMG SRC=\"b.gif\" ALT=\"b\" WIDTH=10 HEIGHT=10>\n</BODY>\n</HTML>\n"),
         0, {}},
        {"custom elements, data and aria attributes, scripts",
         head + QStringLiteral("<my-widget data-size=\"2\" aria-label=\"w\" role=\"region\" onclick=\"go()\">w</my-widget>\n"
                               "<script>if (a < b && c) document.write(\"</div>\");</script>\n"
                               "<textarea><b>not a tag</textarea>\n"
                               "<svg width=\"10\" height=\"10\"><circle cx=\"5\" cy=\"5\" r=\"4\"/></svg>\n"
                               "<template><td>cell</td></template>\n<p>a &amp; b &lt; c &copy; &#169; &#xA9; AT&T\n"),
         0, {}},
        {"stray end tag", head + QStringLiteral("<p>One <span>two</span>\n</span>\n"), 6, QStringLiteral("Stray end tag </span>")},
        {"misnested end tag", head + QStringLiteral("<p><b><i>x</b></i>\n"), 5, QStringLiteral("</b> while <i>")},
        {"unclosed element", head + QStringLiteral("<div>\n<div>text</div>\n"), 5, QStringLiteral("<div> is never closed")},
        {"end of file in a comment", head + QStringLiteral("<p>x\n<!-- never ended\n"), 6,
         QStringLiteral("inside the comment begun on line 6")},
        {"end of file in a tag", head + QStringLiteral("<p>x\n<a href=\"y\"\n"), 6, QStringLiteral("inside the tag begun on line 6")},
        {"stray end tag of a formatting element", head + QStringLiteral("<p>x\n<p>y</b> <a href=\"#z\">z</a></a>\n"), 6,
         QStringLiteral("Stray end tag </b>")},
        {"bad character reference", head + QStringLiteral("<p>x\n<p>&#xZZ;\n"), 6, QStringLiteral("Bad character reference")},
        {"duplicate attribute", head + QStringLiteral("<p>x\n<p class=\"a\" class=\"b\">y\n"), 6, QStringLiteral("Duplicate attribute class")},
        {"a inside a", head + QStringLiteral("<p><a href=\"#x\">one\n<a href=\"#y\">two</a></a>\n"), 6, QStringLiteral("<a> inside another <a>")},
        {"button inside button", head + QStringLiteral("<p><button>one\n<button>two</button></button>\n"), 6,
         QStringLiteral("<button> inside another <button>")},
        {"duplicate id", head + QStringLiteral("<p id=\"x\">a\n<p id=\"x\">b\n"), 6, QStringLiteral("Duplicate id")},
        {"img without alt", head + QStringLiteral("<p>a\n<img src=\"a.png\">\n"), 6, QStringLiteral("without alt")},
        {"img without src", head + QStringLiteral("<p>a\n<img alt=\"a\">\n"), 6, QStringLiteral("without src")},
        {"unknown element", head + QStringLiteral("<p>a\n<blah>b</blah>\n"), 6, QStringLiteral("Unknown element <blah>")},
        {"unknown attribute", head + QStringLiteral("<p>a\n<p colour=\"red\">b\n"), 6, QStringLiteral("Unknown attribute colour on <p>")},
        {"obsolete element", head + QStringLiteral("<p>a\n<center>b</center>\n"), 6, QStringLiteral("Obsolete element <center>")},
        {"no doctype", QStringLiteral("<html lang=\"en\">\n<title>T</title>\n<p>x\n"), 1, QStringLiteral("No doctype")},
        {"self-closing non-void element", head + QStringLiteral("<p>a\n<div/>b\n"), 6, QStringLiteral("not a void element")},
    };
}
