// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PageElement.h"
#include "model/PageProblem.h"

#include <QList>
#include <QStringList>

#include <vector>

// What the parser learnt about one text of the page: its elements and its problems. Built off
// the GUI thread and never changed afterwards, so it is shared as a const snapshot.
class PageModel
{
public:
    PageModel() = default;
    PageModel(QList<PageElement> elements, QStringList names, QList<PageProblem> problems, quint64 revision);

    // The document revision the model was built from.
    quint64 revision() const { return m_revision; }
    const QList<PageElement> &elements() const { return m_elements; }
    // The lower-case name of an element (the model keeps each name once).
    const QString &name(const PageElement &element) const { return m_names.at(element.name); }
    const QString &name(int element) const { return name(m_elements.at(element)); }
    // Sorted by position.
    const QList<PageProblem> &problems() const { return m_problems; }

    // The element whose start or end tag name holds offset (from the "<" to the name's end),
    // or -1; inEndTag tells which of its tags it is.
    int tagNameAt(int offset, bool *inEndTag = nullptr) const;
    // The innermost element open at offset: its start tag ends at or before offset, and its end
    // tag starts at or after it (or it is never closed). -1 when none is.
    int openElementAt(int offset) const;
    // The innermost element written at offset: from the "<" of its start tag to the end of its
    // end tag (text belongs to the element around it). -1 when none is.
    int elementAt(int offset) const;

private:
    QList<PageElement> m_elements;
    QStringList m_names;
    QList<PageProblem> m_problems;
    quint64 m_revision = 0;
    std::vector<int> m_byStart;  // elements with a start tag, by its offset
    std::vector<int> m_byEndTag; // elements with an end tag, by its offset
};
