// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProblemsList.h"

#include "editor/EditorControl.h"
#include "model/PageModelBuilder.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int OffsetRole = Qt::UserRole;

} // namespace

ProblemsList::ProblemsList(EditorControl &r1, PageModelBuilder &builder, QWidget *parent)
    : QWidget(parent)
    , m_r1(r1)
    , m_builder(builder)
    , m_caption(new QLabel(this))
    , m_list(new QListWidget(this))
{
    m_list->setAccessibleName(tr("Problems"));
    m_list->setUniformItemSizes(true);
    m_caption->setBuddy(m_list);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_caption);
    layout->addWidget(m_list);
    connect(&m_builder, &PageModelBuilder::modelChanged, this, &ProblemsList::refresh);
    connect(m_list, &QListWidget::itemActivated, this, &ProblemsList::activate);
    refresh();
}

QString ProblemsList::caption() const
{
    return windowTitle();
}

void ProblemsList::refresh()
{
    const std::shared_ptr<const PageModel> model = m_builder.model();
    const QList<PageProblem> &problems = model->problems();
    m_list->clear();
    QList<std::pair<int, int>> errors;
    QList<std::pair<int, int>> warnings;
    const qsizetype shown = std::min<qsizetype>(problems.size(), MaximumRows);
    for (qsizetype i = 0; i < shown; ++i) {
        const PageProblem &problem = problems.at(i);
        auto *item = new QListWidgetItem(problem.text(), m_list);
        item->setData(OffsetRole, problem.offset);
        item->setToolTip(problem.severity == PageProblem::Severity::Error ? tr("Error") : tr("Warning"));
        (problem.severity == PageProblem::Severity::Error ? errors : warnings).append({problem.offset, problem.length});
    }
    if (problems.size() > shown)
        new QListWidgetItem(tr("\u2026 and %n more", nullptr, static_cast<int>(problems.size() - shown)), m_list);
    // The model has just been built from the text as it is: its offsets are the editor's.
    if (m_builder.isCurrent()) {
        m_r1.setMarks(EditorControl::Mark::Error, errors);
        m_r1.setMarks(EditorControl::Mark::Warning, warnings);
    }
    const QString title = problems.isEmpty() ? tr("Problems") : tr("Problems (%1)").arg(problems.size());
    m_caption->setText(title);
    setWindowTitle(title);
    emit countChanged(static_cast<int>(problems.size()));
}

void ProblemsList::activate(QListWidgetItem *item)
{
    if (!item || !item->data(OffsetRole).isValid())
        return;
    const int modelOffset = item->data(OffsetRole).toInt();
    const int start = m_builder.toCurrent(modelOffset);
    // Text edited since the list was made may have moved the problem; its old place is the
    // best guess left when the text around it was replaced.
    m_r1.setSelStart(std::min(start >= 0 ? start : modelOffset, m_r1.length()));
    m_r1.SetFocus();
}
