// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the program knows about HTML elements and attributes, read from the generated table.
// Names are compared in lower case. Safe to use from any thread.
class HtmlKnowledge
{
public:
    enum class Status { Unknown, Current, Obsolete };

    static Status element(const QString &name);
    // An attribute of element; a global attribute and the open families (data-*, aria-*, event
    // handlers) count as current on every element.
    static Status attribute(const QString &element, const QString &name);

    // Custom elements carry a hyphen in their name.
    static bool isCustomElement(const QString &name);
    // Elements that have no content and no end tag.
    static bool isVoid(const QString &name);
    // Elements whose end tag may be left out.
    static bool hasOptionalEndTag(const QString &name);
    // Elements whose content is raw text, where no markup counts.
    static bool isRawText(const QString &name);

    // For completion: the current element names, the attributes of element (its own, then the
    // global ones; obsolete ones left out) and the character reference names, all sorted.
    static QStringList elementNames();
    static QStringList attributeNames(const QString &element);
    static QStringList characterReferenceNames();
    // The text a character reference stands for, empty when it is unknown.
    static QString characterReference(const QString &name);
};
