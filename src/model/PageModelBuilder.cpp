// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PageModelBuilder.h"

#include "editor/ContentEdit.h"
#include "editor/EditorControl.h"

#include <QtConcurrent/QtConcurrentRun>


PageModelBuilder::PageModelBuilder(EditorControl &r1, QObject *parent)
    : QObject(parent)
    , m_r1(r1)
    , m_model(std::make_shared<const PageModel>(QList<PageElement>(), QStringList(), QList<PageProblem>(), 0))
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(delayMs);
    // One parse at a time; gumbo is not reentrant-hungry, but two parses would only race.
    m_pool.setMaxThreadCount(1);
    // The parser's clean-up recurses along deep trees.
    m_pool.setStackSize(64 * 1024 * 1024);
    connect(&m_r1, &EditorControl::Change, this, &PageModelBuilder::r1Changed);
    connect(&m_delay, &QTimer::timeout, this, &PageModelBuilder::start);
    connect(&m_watcher, &QFutureWatcher<PageModel>::finished, this, &PageModelBuilder::finished);
    // The model of the text as it stands, however little there is.
    m_delay.start();
}

PageModelBuilder::~PageModelBuilder()
{
    m_delay.stop();
    m_pool.waitForDone();
}

void PageModelBuilder::setPageFolder(const QString &folder, std::function<bool(const QString &)> fileExists)
{
    m_pageFolder = folder;
    m_fileExists = std::move(fileExists);
    // After the pause, as for a change: a page just opened is parsed once, not at once.
    m_needsParse = true;
    m_delay.start();
}

void PageModelBuilder::rebuildNow()
{
    m_delay.stop();
    start();
}

void PageModelBuilder::r1Changed()
{
    ++m_revision;
    m_editsSince.record(m_r1.lastEdits());
    m_needsParse = true;
    m_delay.start();
}

void PageModelBuilder::start()
{
    // While a parse is under way, the one for the newest text follows when it ends.
    if (m_running || !m_needsParse)
        return;
    m_running = true;
    m_needsParse = false;
    PageParser::Input input;
    if (m_r1.length() > PageParser::MaximumSize)
        input.tooLarge = true;
    else
        input.text = m_r1.utf8Text();
    input.revision = m_revision;
    input.pageFolder = m_pageFolder;
    input.fileExists = m_fileExists;
    m_watcher.setFuture(QtConcurrent::run(&m_pool, [input = std::move(input)] { return PageParser::parse(input); }));
}

void PageModelBuilder::finished()
{
    if (!m_running || m_watcher.future().resultCount() == 0)
        return;
    m_running = false;
    PageModel result = m_watcher.result();
    // A result whose text changed while it was parsed is dropped: its positions would be wrong.
    if (result.revision() == m_revision) {
        m_model = std::make_shared<const PageModel>(std::move(result));
        m_editsSince.clear();
        emit modelChanged();
    }
    if (m_needsParse && !m_delay.isActive())
        start();
}

int PageModelBuilder::toCurrent(int modelOffset) const
{
    return m_editsSince.placeToCurrent(modelOffset);
}

int PageModelBuilder::toModel(int currentOffset) const
{
    return m_editsSince.toPast(currentOffset);
}
