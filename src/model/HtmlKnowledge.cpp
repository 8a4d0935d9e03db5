// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/HtmlKnowledge.h"

#include "model/HtmlData.h"

#include <algorithm>
#include <cstring>

namespace {

const HtmlData::Element *findElement(const QByteArray &name)
{
    const HtmlData::Element *begin = HtmlData::elements;
    const HtmlData::Element *end = begin + HtmlData::elementCount;
    const auto found = std::lower_bound(begin, end, name, [](const HtmlData::Element &element, const QByteArray &key) {
        return std::strcmp(element.name, key.constData()) < 0;
    });
    return found != end && name == found->name ? found : nullptr;
}

const HtmlData::Attribute *findAttribute(int first, int count, const QByteArray &name)
{
    const HtmlData::Attribute *begin = HtmlData::attributes + first;
    const HtmlData::Attribute *end = begin + count;
    const auto found = std::lower_bound(begin, end, name, [](const HtmlData::Attribute &attribute, const QByteArray &key) {
        return std::strcmp(attribute.name, key.constData()) < 0;
    });
    return found != end && name == found->name ? found : nullptr;
}

bool isEventHandler(const QString &name)
{
    return name.size() > 2 && name.startsWith(QLatin1String("on")) &&
           std::all_of(name.cbegin() + 2, name.cend(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

bool inList(const QString &name, std::initializer_list<const char *> names)
{
    return std::any_of(names.begin(), names.end(), [&name](const char *candidate) {
        return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

HtmlKnowledge::Status HtmlKnowledge::element(const QString &name)
{
    const HtmlData::Element *found = findElement(name.toLower().toUtf8());
    if (!found)
        return Status::Unknown;
    return found->obsolete ? Status::Obsolete : Status::Current;
}

HtmlKnowledge::Status HtmlKnowledge::attribute(const QString &element, const QString &name)
{
    const QString lower = name.toLower();
    if (lower.startsWith(QLatin1String("data-")) || lower.startsWith(QLatin1String("aria-")) || isEventHandler(lower) ||
        inList(lower, {"role", "xmlns", "xml:lang", "xml:space", "xmlns:xlink"}))
        return Status::Current;
    const QByteArray key = lower.toUtf8();
    const HtmlData::Attribute *found = findAttribute(0, HtmlData::globalAttributeCount, key);
    if (!found) {
        if (const HtmlData::Element *owner = findElement(element.toLower().toUtf8()))
            found = findAttribute(owner->firstAttribute, owner->attributeCount, key);
    }
    if (!found)
        return Status::Unknown;
    return found->obsolete ? Status::Obsolete : Status::Current;
}

bool HtmlKnowledge::isCustomElement(const QString &name)
{
    return name.contains(u'-') && name.front().isLetter();
}

bool HtmlKnowledge::isVoid(const QString &name)
{
    return inList(name, {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "image", "img",
                                   "input", "keygen", "link", "meta", "param", "source", "track", "wbr"});
}

bool HtmlKnowledge::hasOptionalEndTag(const QString &name)
{
    return inList(name, {"html", "head", "body", "p", "li", "dt", "dd", "option", "optgroup", "rb", "rt", "rtc", "rp",
                                   "colgroup", "caption", "thead", "tbody", "tfoot", "tr", "td", "th"});
}

bool HtmlKnowledge::isRawText(const QString &name)
{
    return inList(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes", "plaintext"});
}

QStringList HtmlKnowledge::elementNames()
{
    QStringList names;
    for (int i = 0; i < HtmlData::elementCount; ++i) {
        if (!HtmlData::elements[i].obsolete)
            names << QString::fromUtf8(HtmlData::elements[i].name);
    }
    return names;
}

QStringList HtmlKnowledge::attributeNames(const QString &element)
{
    QStringList names;
    if (const HtmlData::Element *owner = findElement(element.toLower().toUtf8())) {
        for (int i = owner->firstAttribute; i < owner->firstAttribute + owner->attributeCount; ++i) {
            if (!HtmlData::attributes[i].obsolete)
                names << QString::fromUtf8(HtmlData::attributes[i].name);
        }
    }
    for (int i = 0; i < HtmlData::globalAttributeCount; ++i) {
        if (!HtmlData::attributes[i].obsolete && !names.contains(QLatin1String(HtmlData::attributes[i].name)))
            names << QString::fromUtf8(HtmlData::attributes[i].name);
    }
    names.sort();
    return names;
}

QStringList HtmlKnowledge::characterReferenceNames()
{
    QStringList names;
    names.reserve(HtmlData::characterReferenceCount);
    for (int i = 0; i < HtmlData::characterReferenceCount; ++i)
        names << QString::fromUtf8(HtmlData::characterReferences[i].name);
    return names;
}

QString HtmlKnowledge::characterReference(const QString &name)
{
    const QByteArray key = name.toUtf8();
    const HtmlData::CharacterReference *begin = HtmlData::characterReferences;
    const HtmlData::CharacterReference *end = begin + HtmlData::characterReferenceCount;
    const auto found = std::lower_bound(begin, end, key, [](const HtmlData::CharacterReference &reference, const QByteArray &k) {
        return std::strcmp(reference.name, k.constData()) < 0;
    });
    return found != end && key == found->name ? QString::fromUtf8(found->text) : QString();
}
