// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The markup the formatting toolbar and its combos wrap the selection in.
namespace FormattingMarkup {

struct Wrap {
    QString start;
    QString end;
};

// The wrap of a formatting button's key; none for keys that insert no markup ("Table", "Frame").
std::optional<Wrap> buttonMarkup(const QString &key);

// The font element around a selection, for example `<font color="#CC0000">` and "</font>". The value
// goes in as it stands, so a face name keeps its spaces.
Wrap fontMarkup(const QString &attribute, const QString &value);

} // namespace FormattingMarkup
