#include "loglimiter.h"

#include <QTest>

// Diagnostics stay bounded: a message that keeps coming, or an endless variety of them, cannot
// fill a log.
class LogLimiterTest : public QObject
{
    Q_OBJECT

private slots:
    void repeatsArePassedThenHeldBack();
    void manyDifferentMessagesEndInSilence();
};

void LogLimiterTest::repeatsArePassedThenHeldBack()
{
    using V = LogLimiter::Verdict;
    LogLimiter limiter;
    QList<V> verdicts;
    for (int i = 0; i < LogLimiter::kRepeats + 2; ++i)
        verdicts << limiter.judge(QStringLiteral("paint failed"));
    QList<V> expected(LogLimiter::kRepeats - 1, V::Pass);
    expected << V::PassThenQuiet << V::Drop << V::Drop;
    QCOMPARE(verdicts, expected);
    QCOMPARE(limiter.judge(QStringLiteral("another")), V::Pass); // others still get through
}

void LogLimiterTest::manyDifferentMessagesEndInSilence()
{
    using V = LogLimiter::Verdict;
    LogLimiter limiter;
    for (int i = 0; i < LogLimiter::kDistinct; ++i)
        QCOMPARE(limiter.judge(QString::number(i)), V::Pass);
    QCOMPARE(limiter.judge(QStringLiteral("one too many")), V::QuietFromNow);
    QCOMPARE(limiter.judge(QStringLiteral("0")), V::Drop);
    QCOMPARE(limiter.judge(QStringLiteral("yet another")), V::Drop);
}

QTEST_GUILESS_MAIN(LogLimiterTest)
#include "tst_loglimiter.moc"
