// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/EditTrail.h"
#include "model/PageModel.h"
#include "model/PageParser.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <memory>

class EditorControl;

// Keeps the page model of r1's text: rebuilt on a worker thread once typing has paused for
// delayMs, replaced whole when the parse ends. A key never waits for a parse, one parse runs at a
// time, and a result whose text has been changed meanwhile is dropped (another parse follows).
// Between parses the model's offsets are mapped through the edits made since.
class PageModelBuilder : public QObject
{
    Q_OBJECT

public:
    static constexpr int delayMs = 300;

    explicit PageModelBuilder(EditorControl &r1, QObject *parent = nullptr);
    ~PageModelBuilder() override;

    // The folder of the page, for its local references; empty for an untitled page. fileExists
    // is asked on the worker thread. The model is rebuilt after the pause.
    void setPageFolder(const QString &folder, std::function<bool(const QString &)> fileExists);

    // The latest model; never null. It may be older than the text: see isCurrent and the maps.
    std::shared_ptr<const PageModel> model() const { return m_model; }
    // True when the model was built from the text as it is now.
    bool isCurrent() const { return m_model->revision() == m_revision; }
    quint64 revision() const { return m_revision; }

    // An offset of the model's text in the text as it is now, and back; -1 when the text there
    // has been replaced since (or a whole new text loaded).
    int toCurrent(int modelOffset) const;
    int toModel(int currentOffset) const;

    // Parses now rather than after the pause (a page just opened).
    void rebuildNow();

signals:
    // A new model is in place.
    void modelChanged();

private:
    void r1Changed();
    void start();
    void finished();

    EditorControl &m_r1;
    QTimer m_delay;
    QThreadPool m_pool;
    QFutureWatcher<PageModel> m_watcher;
    std::shared_ptr<const PageModel> m_model;
    quint64 m_revision = 1;
    bool m_running = false;
    // The text changed, or the page's folder, since the last parse started.
    bool m_needsParse = true;
    // The edits since the model's text.
    EditTrail m_editsSince;
    QString m_pageFolder;
    std::function<bool(const QString &)> m_fileExists;
};
