// The door pause is real time in proportion to its units, whatever the optimiser does.
#include "platform/Pause.h"

#include <QTest>
#include <algorithm>
#include <chrono>

namespace {
double seconds_for(std::int32_t units)
{
    const auto start = std::chrono::steady_clock::now();
    platform::busy_wait_units(units);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The shortest of many runs: a busy machine can only make a run longer, never shorter.
double best_seconds_for(std::int32_t units)
{
    double best = seconds_for(units);
    for (int i = 1; i < 50; ++i)
        best = std::min(best, seconds_for(units));
    return best;
}
}

class PauseTest : public QObject {
    Q_OBJECT

private slots:
    void pause_lasts_at_least_its_units();
    void pause_grows_in_proportion();
};

void PauseTest::pause_lasts_at_least_its_units()
{
    for (std::int32_t units : { 1, 1000, 30000 })
        QVERIFY2(seconds_for(units) >= units * 100e-9, qPrintable(QString::number(units)));
}

void PauseTest::pause_grows_in_proportion()
{
    const double ratio = best_seconds_for(300000) / best_seconds_for(10000); // 30 ideally
    QVERIFY2(ratio > 20 && ratio < 45, qPrintable(QString("ratio %1").arg(ratio)));
}

QTEST_GUILESS_MAIN(PauseTest)
#include "tst_pause.moc"
