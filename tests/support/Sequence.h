#pragma once
// Recorded sequences of events compared with expected ones written as data: on the first
// difference both sequences are printed, with the case named.
#include <QTest>
#include <string>
#include <vector>

using Sequence = std::vector<std::string>;

inline std::string describe(const Sequence& sequence)
{
    std::string text;
    for (std::size_t i = 0; i < sequence.size(); ++i)
        text += "  " + std::to_string(i) + ": " + sequence[i] + "\n";
    return text.empty() ? "  (nothing)\n" : text;
}

inline bool same_sequence(const Sequence& expected, const Sequence& recorded, const char* context)
{
    if (expected == recorded)
        return true;
    std::size_t first = 0;
    while (first < expected.size() && first < recorded.size() && expected[first] == recorded[first])
        ++first;
    const std::string message = std::string(context) + ": sequences differ at row " + std::to_string(first)
        + "\nexpected:\n" + describe(expected) + "recorded:\n" + describe(recorded);
    qWarning("%s", message.c_str());
    return false;
}

#define COMPARE_SEQUENCE(expected, recorded, context) QVERIFY(same_sequence((expected), (recorded), (context)))

inline const Sequence NothingHappened {};
