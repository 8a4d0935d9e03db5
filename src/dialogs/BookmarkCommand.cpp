// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/BookmarkCommand.h"

#include "dialogs/HyperLinkFragment.h"
#include "editor/EditorControl.h"
#include "host/HostServices.h"

namespace BookmarkCommand {

void run(EditorControl &editor, HostServices &host, int xTwips, int yTwips)
{
    const std::optional<QString> name =
        host.InputBox(QStringLiteral("Enter Bookmark Name"), QStringLiteral("Insert Bookmark"), QString(), xTwips, yTwips);
    if (!name || name->isEmpty())
        return;
    editor.setSelText(HyperLinkFragment::namedAnchor(*name));
}

} // namespace BookmarkCommand
