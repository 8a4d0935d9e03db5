// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Resources.h"

#include <QtGlobal>

void initResources()
{
    Q_INIT_RESOURCE(resources);
}
