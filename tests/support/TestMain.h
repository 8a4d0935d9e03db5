// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

// Test classes register themselves so one executable per subsystem folder runs them all, or the
// one named by "--unit NAME".
namespace TestRegistry {
int add(const char *name, std::function<QObject *()> create);
}

#define ZORVANE_TEST(Class) \
    static const int Class##_registered = TestRegistry::add(#Class, [] { return static_cast<QObject *>(new Class); });
