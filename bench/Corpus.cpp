// SPDX-License-Identifier: GPL-3.0-or-later
#include "Corpus.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace {

class PageWriter
{
public:
    explicit PageWriter(bool minified)
        : m_minified(minified)
    {
    }

    QByteArray write(qsizetype bytes)
    {
        line(QStringLiteral("<!DOCTYPE html>"));
        open(QStringLiteral("<html lang=\"en\">"));
        head();
        open(QStringLiteral("<body class=\"page\">"));
        int section = 0;
        while (m_out.size() < bytes)
            this->section(++section);
        close(QStringLiteral("</body>"));
        close(QStringLiteral("</html>"));
        return m_out;
    }

private:
    int pick(int count) { return static_cast<int>(m_random.bounded(count)); }

    QString words(int count)
    {
        static const QStringList vocabulary = {
            QStringLiteral("the"), QStringLiteral("editor"), QStringLiteral("page"), QStringLiteral("markup"),
            QStringLiteral("colour"), QStringLiteral("window"), QStringLiteral("simple"), QStringLiteral("river"),
            QStringLiteral("mountain"), QStringLiteral("and"), QStringLiteral("of"), QStringLiteral("with"),
            QStringLiteral("a"), QStringLiteral("table"), QStringLiteral("garden"), QStringLiteral("morning"),
            QStringLiteral("light"), QStringLiteral("stone"), QStringLiteral("quiet"), QStringLiteral("letter"),
            QStringLiteral("caf\u00e9"), QStringLiteral("na\u00efve"), QStringLiteral("r\u00e9sum\u00e9"),
            QStringLiteral("\u2013"), QStringLiteral("is"), QStringLiteral("to"), QStringLiteral("in"),
            QStringLiteral("north"), QStringLiteral("harbour"), QStringLiteral("village"), QStringLiteral("music"),
        };
        QString text;
        for (int i = 0; i < count; ++i) {
            if (i)
                text += u' ';
            text += vocabulary.at(pick(static_cast<int>(vocabulary.size())));
        }
        return text;
    }

    QString inlineText()
    {
        QString text = words(4 + pick(12));
        switch (pick(6)) {
        case 0:
            text += QStringLiteral(" <a href=\"/articles/%1.html\" title=\"%2\">%3</a> ").arg(pick(5000)).arg(words(2), words(2));
            break;
        case 1:
            text += QStringLiteral(" <b>%1</b> ").arg(words(2));
            break;
        case 2:
            text += QStringLiteral(" <span class=\"note-%1\">%2</span> ").arg(pick(9)).arg(words(3));
            break;
        case 3:
            text += QStringLiteral(" <i>%1</i>, ").arg(words(1));
            break;
        default:
            text += u' ';
            break;
        }
        return text + words(3 + pick(10)) + u'.';
    }

    void line(const QString &text)
    {
        if (!m_minified)
            m_out += QByteArray(m_depth * 2, ' ');
        m_out += text.toUtf8();
        if (!m_minified)
            m_out += "\r\n";
    }

    void open(const QString &tag)
    {
        line(tag);
        ++m_depth;
    }

    void close(const QString &tag)
    {
        --m_depth;
        line(tag);
    }

    void head()
    {
        open(QStringLiteral("<head>"));
        line(QStringLiteral("<meta charset=\"utf-8\">"));
        line(QStringLiteral("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"));
        line(QStringLiteral("<title>%1</title>").arg(words(4)));
        line(QStringLiteral("<link rel=\"stylesheet\" href=\"/css/site.css\">"));
        open(QStringLiteral("<style>"));
        line(QStringLiteral("body { margin: 0; font-family: sans-serif; color: #222; }"));
        line(QStringLiteral(".note-1 { background: #ffd; border-left: 3px solid #cc0; }"));
        close(QStringLiteral("</style>"));
        open(QStringLiteral("<script type=\"text/javascript\">"));
        line(QStringLiteral("function toggle(id) { var e = document.getElementById(id); e.hidden = !e.hidden; }"));
        close(QStringLiteral("</script>"));
        close(QStringLiteral("</head>"));
    }

    void section(int number)
    {
        line(QStringLiteral("<!-- section %1: %2 -->").arg(number).arg(words(3)));
        open(QStringLiteral("<section id=\"s%1\" class=\"block\">").arg(number));
        line(QStringLiteral("<h2>%1</h2>").arg(words(3 + pick(4))));
        open(QStringLiteral("<div class=\"column\">"));
        const int parts = 3 + pick(5);
        for (int part = 0; part < parts; ++part) {
            switch (pick(7)) {
            case 0:
                list();
                break;
            case 1:
                table();
                break;
            case 2:
                line(QStringLiteral("<img src=\"images/photo%1.jpg\" alt=\"%2\" width=\"%3\" height=\"%4\">")
                         .arg(pick(900))
                         .arg(words(3))
                         .arg(200 + pick(600))
                         .arg(100 + pick(400)));
                break;
            case 3:
                form();
                break;
            default:
                open(QStringLiteral("<p>"));
                line(inlineText());
                if (pick(2))
                    line(inlineText());
                close(QStringLiteral("</p>"));
                break;
            }
        }
        close(QStringLiteral("</div>"));
        close(QStringLiteral("</section>"));
    }

    void list()
    {
        const bool ordered = pick(2) == 0;
        open(ordered ? QStringLiteral("<ol type=\"1\">") : QStringLiteral("<ul>"));
        const int items = 2 + pick(6);
        for (int i = 0; i < items; ++i)
            line(QStringLiteral("<li>%1</li>").arg(inlineText()));
        close(ordered ? QStringLiteral("</ol>") : QStringLiteral("</ul>"));
    }

    void table()
    {
        open(QStringLiteral("<table border=\"1\" cellpadding=\"4\" width=\"100%\">"));
        const int rows = 2 + pick(5);
        for (int row = 0; row < rows; ++row) {
            open(QStringLiteral("<tr>"));
            for (int column = 0; column < 3; ++column)
                line(QStringLiteral("<td align=\"left\">%1</td>").arg(words(1 + pick(4))));
            close(QStringLiteral("</tr>"));
        }
        close(QStringLiteral("</table>"));
    }

    void form()
    {
        open(QStringLiteral("<form action=\"/search\" method=\"get\">"));
        line(QStringLiteral("<label for=\"q%1\">%2</label>").arg(m_out.size()).arg(words(2)));
        line(QStringLiteral("<input type=\"text\" id=\"q%1\" name=\"q\" size=\"30\">").arg(m_out.size()));
        line(QStringLiteral("<input type=\"submit\" value=\"Search\">"));
        close(QStringLiteral("</form>"));
    }

    QRandomGenerator m_random{0x5eed};
    QByteArray m_out;
    int m_depth = 0;
    bool m_minified = false;
};

} // namespace

QByteArray Corpus::page(qsizetype bytes, bool minified)
{
    return PageWriter(minified).write(bytes);
}
