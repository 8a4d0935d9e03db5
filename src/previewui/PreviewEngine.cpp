// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewui/PreviewEngine.h"

#include "previewui/PreviewView.h"

#include <QFileInfo>
#include <QLibrary>
#include <QOpenGLContext>

#include <dlfcn.h>

// Qt's own hook for the context every other context shares with. Qt WebEngine needs one to hand
// its frames to Qt Quick; QGuiApplication makes it only at start-up, which would load the OpenGL
// driver (and with Mesa, LLVM) for every session.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

using CreateView = PreviewView *(*)(QWidget *);

CreateView g_createView = nullptr;

QString moduleDirectory()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void *>(&PreviewEngine::createView), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

// The shared context, made as QGuiApplication would have made it: a context that cannot be
// created (no OpenGL on this display) still goes in, and the engine then draws in software.
void shareOpenGLContexts()
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto *context = new QOpenGLContext;
    context->create();
    qt_gl_set_global_share_context(context);
}

} // namespace

PreviewView *PreviewEngine::createView(QWidget *parent, QString *error)
{
    if (!g_createView) {
        const QString directory = moduleDirectory();
        if (directory.isEmpty()) {
            *error = QStringLiteral("the program's own library could not be found");
            return nullptr;
        }
        shareOpenGLContexts();
        QLibrary module(directory + QLatin1Char('/') + QLatin1String(moduleFileName));
        if (!module.load()) {
            *error = module.errorString();
            return nullptr;
        }
        g_createView = reinterpret_cast<CreateView>(module.resolve("zorvane_create_preview_view"));
        if (!g_createView) {
            *error = module.errorString();
            return nullptr;
        }
    }
    return g_createView(parent);
}

bool PreviewEngine::isLoaded()
{
    return g_createView != nullptr;
}
