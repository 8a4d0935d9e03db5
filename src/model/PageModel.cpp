// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PageModel.h"

#include <algorithm>

PageModel::PageModel(QList<PageElement> elements, QStringList names, QList<PageProblem> problems, quint64 revision)
    : m_elements(std::move(elements))
    , m_names(std::move(names))
    , m_problems(std::move(problems))
    , m_revision(revision)
{
    std::stable_sort(m_problems.begin(), m_problems.end(),
                     [](const PageProblem &a, const PageProblem &b) { return a.offset < b.offset; });
    for (int i = 0; i < m_elements.size(); ++i) {
        if (m_elements.at(i).hasStartTag())
            m_byStart.push_back(i);
        if (m_elements.at(i).hasEndTag())
            m_byEndTag.push_back(i);
    }
    // The parser moves some elements out of their place in the text (content of a table
    // outside its cells, misnested formatting): order by the text.
    std::sort(m_byStart.begin(), m_byStart.end(), [this](int a, int b) { return m_elements.at(a).start < m_elements.at(b).start; });
    std::sort(m_byEndTag.begin(), m_byEndTag.end(),
              [this](int a, int b) { return m_elements.at(a).endTagStart < m_elements.at(b).endTagStart; });
}

int PageModel::tagNameAt(int offset, bool *inEndTag) const
{
    const auto lastAtOrBefore = [offset](const std::vector<int> &order, auto position) {
        const auto after = std::upper_bound(order.cbegin(), order.cend(), offset,
                                            [&position](int value, int index) { return value < position(index); });
        return after == order.cbegin() ? -1 : *(after - 1);
    };
    const int start = lastAtOrBefore(m_byStart, [this](int i) { return m_elements.at(i).start; });
    if (start >= 0) {
        const PageElement &element = m_elements.at(start);
        if (offset <= element.startNameOffset() + name(element).size() && offset < element.startTagEnd) {
            if (inEndTag)
                *inEndTag = false;
            return start;
        }
    }
    const int end = lastAtOrBefore(m_byEndTag, [this](int i) { return m_elements.at(i).endTagStart; });
    if (end >= 0) {
        const PageElement &element = m_elements.at(end);
        if (offset <= element.endNameOffset() + name(element).size() && offset < element.end) {
            if (inEndTag)
                *inEndTag = true;
            return end;
        }
    }
    return -1;
}

int PageModel::openElementAt(int offset) const
{
    const auto after = std::upper_bound(m_byStart.cbegin(), m_byStart.cend(), offset,
                                        [this](int value, int index) { return value < m_elements.at(index).startTagEnd; });
    if (after == m_byStart.cbegin())
        return -1;
    for (int index = *(after - 1); index >= 0; index = m_elements.at(index).parent) {
        const PageElement &element = m_elements.at(index);
        if (element.startTagEnd > offset)
            continue;
        const bool open = element.hasEndTag() ? element.endTagStart >= offset : element.end >= offset;
        if (open)
            return index;
    }
    return -1;
}

int PageModel::elementAt(int offset) const
{
    const auto after = std::upper_bound(m_byStart.cbegin(), m_byStart.cend(), offset,
                                        [this](int value, int index) { return value < m_elements.at(index).start; });
    if (after == m_byStart.cbegin())
        return -1;
    // An element that holds offset began at or before the last start tag before it: that tag's
    // element or one around it.
    for (int index = *(after - 1); index >= 0; index = m_elements.at(index).parent) {
        const PageElement &element = m_elements.at(index);
        if (element.hasStartTag() && element.start <= offset && (element.end < 0 || offset < std::max(element.end, element.startTagEnd)))
            return index;
    }
    return -1;
}
