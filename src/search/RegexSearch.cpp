// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/RegexSearch.h"

#include "search/MatchWatchdog.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <QLocale>
#include <QStringList>

namespace {

PCRE2_SPTR units(QStringView text)
{
    return reinterpret_cast<PCRE2_SPTR>(text.utf16());
}

QString pcreMessage(int code)
{
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, std::size(buffer));
    return length < 0 ? QStringLiteral("error %1").arg(code)
                      : QString::fromUtf16(reinterpret_cast<const char16_t *>(buffer), length);
}

// The items that only stand at the very start of a pattern; they stay there when the pattern is
// wrapped.
qsizetype leadingSettingsLength(const QString &pattern)
{
    static const QStringList settings = {
        QStringLiteral("LIMIT_DEPTH"),
        QStringLiteral("LIMIT_HEAP"),
        QStringLiteral("LIMIT_MATCH"),
        QStringLiteral("LIMIT_RECURSION"),
        QStringLiteral("NOTEMPTY"),
        QStringLiteral("NOTEMPTY_ATSTART"),
        QStringLiteral("NO_AUTO_POSSESS"),
        QStringLiteral("NO_DOTSTAR_ANCHOR"),
        QStringLiteral("NO_JIT"),
        QStringLiteral("NO_START_OPT"),
        QStringLiteral("UTF"),
        QStringLiteral("UCP"),
        QStringLiteral("CR"),
        QStringLiteral("LF"),
        QStringLiteral("CRLF"),
        QStringLiteral("ANYCRLF"),
        QStringLiteral("ANY"),
        QStringLiteral("NUL"),
        QStringLiteral("BSR_ANYCRLF"),
        QStringLiteral("BSR_UNICODE"),
    };
    qsizetype at = 0;
    while (pattern.mid(at, 2) == QLatin1String("(*")) {
        const qsizetype close = pattern.indexOf(u')', at);
        if (close < 0)
            break;
        const QString item = pattern.mid(at + 2, close - at - 2);
        if (!settings.contains(item.section(u'=', 0, 0)))
            break;
        at = close + 1;
    }
    return at;
}

// Not between two word characters, by the editor's whole-word rule (letters, digits, marks, "_").
const QString wordEdge = QStringLiteral(R"((?:(?<![\p{L}\p{N}\p{M}_])|(?![\p{L}\p{N}\p{M}_])))");

// Asks the running match to stop once the command's time is up; PCRE2 calls it each time the
// pattern is tried at a new place (the pattern starts with a callout).
int checkWatchdog(pcre2_callout_block *, void *watchdog)
{
    return static_cast<const MatchWatchdog *>(watchdog)->expired() ? PCRE2_ERROR_CALLOUT : 0;
}

} // namespace

struct RegexSearch::Compiled {
    pcre2_code *code = nullptr;
    pcre2_match_data *matchData = nullptr;
    pcre2_match_context *matchContext = nullptr;
    pcre2_jit_stack *jitStack = nullptr;
    int captureCount = 0;

    ~Compiled()
    {
        pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(matchContext);
        pcre2_match_data_free(matchData);
        pcre2_code_free(code);
    }
};

RegexSearch::RegexSearch(const QString &pattern, bool matchCase, bool wholeWord, std::chrono::milliseconds budget)
    : m_budget(budget)
{
    const std::unique_ptr<pcre2_compile_context, void (*)(pcre2_compile_context *)> context(pcre2_compile_context_create(nullptr),
                                                                                            pcre2_compile_context_free);
    // The document's lines end in CR LF, though a pasted or loaded text may hold LF or CR alone.
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
    const uint32_t options = PCRE2_UTF | PCRE2_UCP | PCRE2_MULTILINE | (matchCase ? 0 : PCRE2_CASELESS);
    const auto compile = [&](const QString &text, int *errorCode, PCRE2_SIZE *errorOffset) {
        return pcre2_compile(units(text), static_cast<PCRE2_SIZE>(text.size()), options, errorCode, errorOffset, context.get());
    };

    // The pattern as written tells where it is wrong; the wrapped one below cannot.
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code *asWritten = compile(pattern, &errorCode, &errorOffset);
    if (!asWritten) {
        const auto offset = static_cast<qsizetype>(std::min<PCRE2_SIZE>(errorOffset, pattern.size()));
        if (offset >= pattern.size()) {
            m_error = QStringLiteral("Error at the end of the regular expression: %1.").arg(pcreMessage(errorCode));
        } else {
            const qsizetype character = QStringView(pattern).first(offset).toUcs4().size() + 1;
            m_error =
                QStringLiteral("Error in the regular expression at character %1: %2.").arg(character).arg(pcreMessage(errorCode));
        }
        return;
    }
    pcre2_code_free(asWritten);

    // A callout first, reached wherever the pattern is tried, lets the watchdog stop the match.
    // The whole-word edges go around the pattern; "\E" ends a quotation the pattern leaves open,
    // and a line break ends a comment it leaves open in extended mode ((?x) ... # comment).
    const qsizetype settingsLength = leadingSettingsLength(pattern);
    const QString settings = pattern.first(settingsLength);
    const QString body = pattern.sliced(settingsLength);
    QStringList attempts;
    if (wholeWord) {
        for (const QString &closing : {QStringLiteral("\\E)"), QStringLiteral("\\E\n)")})
            attempts.append(settings + QStringLiteral("(?C1)") + wordEdge + QStringLiteral("(?:") + body + closing + wordEdge);
    } else {
        attempts.append(settings + QStringLiteral("(?C1)") + body);
    }
    pcre2_code *code = nullptr;
    for (const QString &attempt : attempts) {
        if ((code = compile(attempt, &errorCode, &errorOffset)))
            break;
    }
    if (!code) {
        m_error =
            QStringLiteral("This regular expression cannot be searched for as a whole word: %1.").arg(pcreMessage(errorCode));
        return;
    }

    m_compiled = std::make_unique<Compiled>();
    m_compiled->code = code;
    uint32_t captures = 0;
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &captures);
    m_compiled->captureCount = static_cast<int>(captures);
    m_compiled->matchData = pcre2_match_data_create_from_pattern(code, nullptr);
    m_compiled->matchContext = pcre2_match_context_create(nullptr);
    // Compiled to machine code where the platform allows, with room for deep backtracking; the
    // interpreter otherwise.
    if (pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) == 0) {
        m_compiled->jitStack = pcre2_jit_stack_create(32 * 1024, 4 * 1024 * 1024, nullptr);
        pcre2_jit_stack_assign(m_compiled->matchContext, nullptr, m_compiled->jitStack);
    }
}

RegexSearch::~RegexSearch() = default;

QString RegexSearch::error() const
{
    return m_error;
}

int RegexSearch::captureCount() const
{
    return m_compiled ? m_compiled->captureCount : 0;
}

RegexSearch::Status RegexSearch::find(const QString &text, qsizetype from, bool skipEmptyAtStart)
{
    return run(text, from, skipEmptyAtStart ? PCRE2_NOTEMPTY_ATSTART : 0);
}

RegexSearch::Status RegexSearch::run(const QString &text, qsizetype from, unsigned options)
{
    if (!m_compiled)
        return Status::NotFound;
    if (!m_watchdog) {
        m_watchdog = std::make_unique<MatchWatchdog>(m_budget);
        pcre2_set_callout(m_compiled->matchContext, checkWatchdog, m_watchdog.get());
    }
    if (m_watchdog->expired()) {
        m_stopReason = outOfTime();
        return Status::Stopped;
    }
    if (from < 0)
        from = 0;
    // Never between the halves of a character beyond the basic plane.
    if (from > 0 && from < text.size() && text.at(from).isLowSurrogate() && text.at(from - 1).isHighSurrogate())
        ++from;
    if (from > text.size())
        return Status::NotFound;
    if (text.constData() == m_checkedText.constData() && text.size() == m_checkedText.size())
        options |= PCRE2_NO_UTF_CHECK;
    const int result = pcre2_match(m_compiled->code, units(text), static_cast<PCRE2_SIZE>(text.size()),
                                   static_cast<PCRE2_SIZE>(from), options, m_compiled->matchData, m_compiled->matchContext);
    if (result >= 0 || result == PCRE2_ERROR_NOMATCH)
        m_checkedText = text;
    if (result >= 0)
        return Status::Found;
    if (result == PCRE2_ERROR_NOMATCH)
        return Status::NotFound;
    m_stopReason = result == PCRE2_ERROR_CALLOUT ? outOfTime() : pcreMessage(result);
    return Status::Stopped;
}

qsizetype RegexSearch::start(int group) const
{
    if (!m_compiled || group < 0 || group > m_compiled->captureCount)
        return -1;
    const PCRE2_SIZE at = pcre2_get_ovector_pointer(m_compiled->matchData)[2 * group];
    return at == PCRE2_UNSET ? -1 : static_cast<qsizetype>(at);
}

qsizetype RegexSearch::end(int group) const
{
    if (!m_compiled || group < 0 || group > m_compiled->captureCount)
        return -1;
    const PCRE2_SIZE at = pcre2_get_ovector_pointer(m_compiled->matchData)[2 * group + 1];
    return at == PCRE2_UNSET ? -1 : static_cast<qsizetype>(at);
}

QStringView RegexSearch::captured(QStringView text, int group) const
{
    const qsizetype from = start(group);
    const qsizetype to = end(group);
    if (from < 0 || to < from)
        return {};
    return text.sliced(from, to - from);
}

QString RegexSearch::outOfTime() const
{
    return QStringLiteral("it took longer than %1 s").arg(QLocale().toString(m_budget.count() / 1000.0));
}

QString RegexSearch::stopReason() const
{
    return m_stopReason;
}
