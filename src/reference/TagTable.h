// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The tag reference: HTML tags in the order they are listed, each with the attributes it takes.
namespace TagTable {

struct Attribute {
    QString name;
    // A bare attribute takes no value, so it is inserted as " noshade" rather than ` name=""`.
    bool bare = false;
};

struct Tag {
    // Links the attributes to their tag; never shown or inserted.
    QString key;
    // The markup a click inserts, usually a start and end tag pair.
    QString text;
    QList<Attribute> attributes;
};

// The 37 tags with their 326 attributes. Several tags list the same attribute more than once.
const QList<Tag> &tags();

// What a click on an attribute inserts: a space, the name and, unless bare, ="" ready for a value.
QString attributeText(const Attribute &attribute);

} // namespace TagTable
