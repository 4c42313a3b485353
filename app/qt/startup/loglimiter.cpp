#include "loglimiter.h"

#include "lastwords.h"

#include <cstdio>

LogLimiter::Verdict LogLimiter::judge(const QString &message)
{
    if (full_)
        return Verdict::Drop;
    const auto found = seen_.find(message);
    if (found == seen_.end()) {
        if (seen_.size() == kDistinct) {
            full_ = true;
            return Verdict::QuietFromNow;
        }
        seen_.insert(message, 1);
        return Verdict::Pass;
    }
    const int copies = ++*found;
    if (copies < kRepeats)
        return Verdict::Pass;
    return copies == kRepeats ? Verdict::PassThenQuiet : Verdict::Drop;
}

namespace {

LogLimiter limiter;

void write(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Memory ran out once start-up was over: one line says so, not every failure that follows.
    if (const QByteArray text = message.toUtf8(); LastWords::saysMemoryRanOut(text.toStdString()))
        LastWords::say("out of memory");
    const auto verdict = limiter.judge(message);
    if (verdict == LogLimiter::Verdict::Pass || verdict == LogLimiter::Verdict::PassThenQuiet)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    if (verdict == LogLimiter::Verdict::PassThenQuiet)
        std::fputs("fizzet: that message keeps coming; further copies are not shown\n", stderr);
    if (verdict == LogLimiter::Verdict::QuietFromNow)
        std::fputs("fizzet: too many different messages; no more are shown\n", stderr);
    std::fflush(stderr);
}

} // namespace

void LogLimiter::install()
{
    qInstallMessageHandler(&write);
}
