// The door pause is real time in proportion to its units, whatever the optimiser does.
#include "platform/Pause.h"

#include <QTest>
#include <chrono>

namespace {
double seconds_for(std::int32_t units)
{
    const auto start = std::chrono::steady_clock::now();
    platform::busy_wait_units(units);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
    // Many repetitions of each, so that a busy machine evens out; the ratio should be 30.
    double short_total = 0;
    double long_total = 0;
    for (int i = 0; i < 50; ++i) {
        short_total += seconds_for(10000);
        long_total += seconds_for(300000);
    }
    const double ratio = long_total / short_total;
    QVERIFY2(ratio > 20 && ratio < 45, qPrintable(QString("ratio %1").arg(ratio)));
}

QTEST_GUILESS_MAIN(PauseTest)
#include "tst_pause.moc"
