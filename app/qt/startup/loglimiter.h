#pragma once

#include <QHash>
#include <QString>
#include <QtGlobal>

// Keeps the program's diagnostics bounded whatever goes wrong: each distinct message is passed
// on at most kRepeats times, and at most kDistinct different messages are passed on at all.
// Whoever installs it says once when it starts holding messages back.
class LogLimiter
{
public:
    static constexpr int kRepeats = 3;
    static constexpr int kDistinct = 100;

    enum class Verdict
    {
        Pass,          // show it
        PassThenQuiet, // show it, and say that further copies are not shown
        QuietFromNow,  // show nothing more at all, and say so
        Drop           // show nothing
    };
    Verdict judge(const QString &message);

    // Makes a process-wide limiter the toolkit's message handler, writing to standard error.
    static void install();

private:
    QHash<QString, int> seen_;
    bool full_ = false;
};
