// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The anchors of the hyperlink dialog and the bookmark command. Texts go in as typed: not
// trimmed, not escaped.
namespace HyperLinkFragment {

// Where a link opens, in the order the target list shows them.
enum class Target { None, SameFrame, WholePage, NewWindow, ParentFrame };

// The names the target list shows, one per Target in its order.
const QStringList &targetNames();

// An empty link element: `<a href="address"` then the target's attribute, if any, and "></a>".
QString link(const QString &address, Target target);

// A named anchor: `<a name="name"></a>`.
QString namedAnchor(const QString &name);

} // namespace HyperLinkFragment
