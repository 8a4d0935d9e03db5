// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class PreviewView;
class QWidget;

// Makes browser views. The browser engine, OpenGL and Qt Quick come with the preview module, a
// library beside the program's own that is loaded the first time a view is made: a session that
// never shows a preview never maps any of them.
class PreviewEngine
{
public:
    // The file name of the module, in the folder of the program's core library.
    static constexpr const char *moduleFileName = "libzorvane-preview.so";

    // A new view, or nullptr and the reason in error when the module cannot be loaded.
    static PreviewView *createView(QWidget *parent, QString *error);
    // The module is loaded (tests and the benchmark check what a plain start maps).
    static bool isLoaded();
};
