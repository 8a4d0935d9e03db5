// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The built-in page behind the about box's link: what the program is and under which terms it
// comes, with its icon inlined, so showing it needs no network.
QString aboutPageHtml();
