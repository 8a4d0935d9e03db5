// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/TagTable.h"

#include <vector>

namespace {

constexpr bool Bare = true;

struct RawAttribute {
    const char *name;
    bool bare = false;
};

struct RawTag {
    const char *key;
    const char *text;
    std::vector<RawAttribute> attributes;
};

// Kept exactly as users know them: the key "MARAQUEE", the capital F of "<Frame>", SCRIPT's second "id" and
// the bare "nowrap" of TABLE (TD, TH and TR take a value) are all long-standing.
const std::vector<RawTag> &rawTags()
{
    static const std::vector<RawTag> table = {
        {"ANCHOR", "<a></a>", {{"href"}, {"target"}, {"name"}, {"title"}, {"rel"}, {"rev"}, {"type"}, {"charset"}, {"hreflang"},
            {"media"}, {"style"}, {"id"}, {"class"}}},
        {"Applet", "<applet></applet>", {{"code"}, {"codebase"}, {"name"}, {"title"}, {"style"}, {"id"}, {"class"}, {"archive"},
            {"alt"}, {"align"}, {"height"}, {"width"}}},
        {"Area", "<area>", {{"shape"}, {"coords"}, {"href"}, {"style"}, {"title"}, {"id"}, {"class"}, {"target"}, {"nohref"}}},
        {"Base", "<base>", {{"href"}, {"id"}, {"target"}}},
        {"Basefont", "<basefont>", {{"id"}, {"face"}, {"size"}, {"color"}}},
        {"Bgsound", "<bgsound>", {{"src"}, {"loop"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"Body", "<body></body>", {{"id"}, {"class"}, {"title"}, {"background"}, {"bgcolor"}, {"text"}, {"link"}, {"vlink"},
            {"alink"}, {"leftmargin"}, {"topmargin"}}},
        {"Col", "<col>", {{"align"}, {"span"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"Colgroup", "<colgroup>", {{"align"}, {"valign"}, {"span"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"div", "<div></div>", {{"style"}, {"id"}, {"class"}, {"title"}, {"align"}}},
        {"Embed", "<embed>", {{"src"}, {"height"}, {"width"}, {"hidden"}, {"style"}, {"id"}, {"class"}}},
        {"Font", "<font></font>", {{"face"}, {"size"}, {"color"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"Form", "<form></form>", {{"action"}, {"target"}, {"method"}, {"enctype"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"Frame", "<Frame>", {{"src"}, {"name"}, {"scrolling"}, {"marginwidth"}, {"framespacing"}, {"marginheight"},
            {"noresize", Bare}, {"style"}, {"id"}, {"class"}, {"title"}, {"frameborder"}, {"bordercolor"}}},
        {"Frameset", "<frameset></frameset>", {{"rows"}, {"cols"}, {"frameborder"}, {"framespacing"}, {"border"},
            {"bordercolor"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"h1", "<h1></h1>", {{"title"}, {"align"}, {"style"}, {"id"}, {"class"}}},
        {"h2", "<h2></h2>", {{"title"}, {"align"}, {"style"}, {"id"}, {"class"}}},
        {"h3", "<h3></h3>", {{"title"}, {"align"}, {"style"}, {"id"}, {"class"}}},
        {"HR", "<hr>", {{"align"}, {"size"}, {"color"}, {"width"}, {"noshade", Bare}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"Iframe", "<iframe></iframe>", {{"src"}, {"name"}, {"scrolling"}, {"align"}, {"height"}, {"width"}, {"marginwidth"},
            {"marginheight"}, {"frameborder"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"IMG", "<img>", {{"src"}, {"align"}, {"alt"}, {"border"}, {"height"}, {"width"}, {"hspace"}, {"vspace"}, {"ismap"},
            {"usemap"}, {"dynsrc"}, {"start"}, {"loop"}, {"controls", Bare}, {"loopdelay"}, {"lowsrc"}, {"style"}, {"id"},
            {"class"}}},
        {"INPUT", "<input>", {{"type"}, {"name"}, {"value"}, {"align"}, {"size"}, {"maxlength"}, {"tabindex"}, {"notab", Bare},
            {"checked", Bare}, {"src"}, {"border", Bare}, {"width", Bare}, {"height", Bare}, {"vspace", Bare}, {"hspace", Bare},
            {"accept"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"LINK", "<link>", {{"rel"}, {"href"}, {"type"}, {"title"}}},
        {"MAP", "<map></map>", {{"name"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"MARAQUEE", "<marquee></marquee>", {{"behavior"}, {"direction"}, {"align"}, {"bgcolor"}, {"height"}, {"width"},
            {"hspace"}, {"vspace"}, {"loop"}, {"scrollamount"}, {"scrolldelay"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"META", "<meta>", {{"id"}, {"http-equiv"}, {"name"}, {"content"}}},
        {"MULTICOL", "<multicol>", {{"cols"}, {"width"}, {"gutter"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"PARAGRAPH", "<p>", {{"align"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"Param", "<param></param>", {{"id"}, {"name"}, {"value"}, {"type"}, {"valuetype"}}},
        {"SCRIPT", "<script></script>", {{"id"}, {"type"}, {"language"}, {"src"}, {"for"}, {"defer"}, {"runat"}, {"id"},
            {"charset"}}},
        {"SOUND", "<sound></sound>", {{"src"}, {"loop"}, {"delay"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"SPAN", "<span></span>", {{"style"}, {"id"}, {"class"}, {"title"}, {"align"}}},
        {"STYLE", "<style></style>", {{"type"}}},
        {"TABLE", "<table></table>", {{"align"}, {"cellpadding"}, {"border"}, {"valign"}, {"cellspacing"}, {"nowrap", Bare},
            {"background"}, {"bgcolor"}, {"bordercolor"}, {"bordercolorlight"}, {"bordercolordark"}, {"cols"}, {"clear"},
            {"frame"}, {"rules"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"TD", "<td></td>", {{"bgcolor"}, {"bordercolor"}, {"bordercolordark"}, {"bordercolorlight"}, {"background"}, {"width"},
            {"height"}, {"rowspan"}, {"colspan"}, {"align"}, {"valign"}, {"nowrap"}, {"style"}, {"id"}, {"class"}, {"title"}}},
        {"TH", "<th></th>", {{"width"}, {"height"}, {"rowspan"}, {"colspan"}, {"align"}, {"valign"}, {"nowrap"}, {"bgcolor"},
            {"bordercolor"}, {"bordercolordark"}, {"bordercolorlight"}, {"background"}, {"style"}, {"id"}, {"class"},
            {"title"}}},
        {"TR", "<tr></tr>", {{"bgcolor"}, {"bordercolor"}, {"bordercolorlight"}, {"bordercolordark"}, {"align"}, {"valign"},
            {"nowrap"}, {"style"}, {"id"}, {"class"}, {"title"}}},
    };
    return table;
}

} // namespace

namespace TagTable {

const QList<Tag> &tags()
{
    static const QList<Tag> table = [] {
        QList<Tag> result;
        for (const RawTag &raw : rawTags()) {
            Tag tag{QString::fromLatin1(raw.key), QString::fromLatin1(raw.text), {}};
            for (const RawAttribute &attribute : raw.attributes)
                tag.attributes.append(Attribute{QString::fromLatin1(attribute.name), attribute.bare});
            result.append(tag);
        }
        return result;
    }();
    return table;
}

QString attributeText(const Attribute &attribute)
{
    return attribute.bare ? QLatin1Char(' ') + attribute.name : QLatin1Char(' ') + attribute.name + QStringLiteral("=\"\"");
}

} // namespace TagTable
