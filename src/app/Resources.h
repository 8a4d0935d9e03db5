// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Registers the bundled icons and artwork, which live in the static library; safe to call often.
void initResources();
