// The door sound's WAVE reader against well-formed, unusual and broken images.
#include "platform/audio/WaveImage.h"

#include <QTest>

#include <cstdint>
#include <numeric>
#include <optional>
#include <string_view>
#include <vector>

using namespace platform;
using Bytes = std::vector<std::uint8_t>;

Q_DECLARE_METATYPE(Bytes)
Q_DECLARE_METATYPE(WaveFormat)

namespace {

Bytes operator+(Bytes front, const Bytes& back) { front.insert(front.end(), back.begin(), back.end()); return front; }

// `value` as `width` little-endian bytes.
Bytes le(std::uint32_t value, int width)
{
    Bytes out;
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    return out;
}

Bytes ascii(std::string_view text) { return { text.begin(), text.end() }; }

// A chunk with its pad byte; `declared` overrides the size field to make liars.
Bytes chunk(std::string_view tag, const Bytes& body, std::optional<std::uint32_t> declared = {})
{
    return ascii(tag) + le(declared.value_or(body.size()), 4) + body + Bytes(body.size() % 2, 0);
}

// The fields of a "fmt " chunk, well-formed mono 8-bit PCM unless a case changes one.
struct Format {
    std::uint16_t tag = 1, channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 8, size = 16; // a size other than 16 cuts or extends the body
};

Bytes fmt(Format f = {})
{
    const std::uint32_t block = f.channels * f.bits / 8;
    Bytes body = le(f.tag, 2) + le(f.channels, 2) + le(f.rate, 4) + le(f.rate * block, 4)
        + le(block, 2) + le(f.bits, 2);
    body.resize(f.size); // an extended body carries a zero extra size
    return chunk("fmt ", body);
}

// Distinct bytes, so that a sample taken from the wrong place shows.
Bytes samples(std::size_t count) { Bytes out(count); std::iota(out.begin(), out.end(), 1); return out; }

Bytes data(std::size_t count) { return chunk("data", samples(count)); }

// The whole image is one more chunk, of the chunks after its "WAVE".
template <class... Chunks>
Bytes riff(const Chunks&... chunks) { return chunk("RIFF", (ascii("WAVE") + ... + chunks)); }

Bytes cut(Bytes image, std::size_t size) { image.resize(size); return image; }

// Parses `image` and tells whether the samples found, if any, lie inside it.
bool samples_inside(const Bytes& image)
{
    const auto found = parse_wave(image).image.samples;
    return found.empty()
        || (found.data() >= image.data() && found.data() + found.size() <= image.data() + image.size());
}

}

class WaveImageTest : public QObject {
    Q_OBJECT

private slots:
    void reads_format_and_samples_data();
    void reads_format_and_samples();
    void rejects_broken_images();
    void stays_inside_cut_and_damaged_images();
};

void WaveImageTest::reads_format_and_samples_data()
{
    QTest::addColumn<Bytes>("image");
    QTest::addColumn<WaveFormat>("format");
    QTest::addColumn<Bytes>("expected");
    const WaveFormat mono8 { 1, 22050, 8 };
    const Bytes odd_chunks_first = riff(chunk("LIST", samples(3)), chunk("junk", samples(1)), fmt(), data(5));

    QTest::newRow("odd chunks before fmt, odd data last without its pad")
        << cut(odd_chunks_first, odd_chunks_first.size() - 1) << mono8 << samples(5);
    QTest::newRow("fact chunk between fmt and data")
        << riff(fmt(), chunk("fact", le(10, 4)), data(10)) << mono8 << samples(10);
    QTest::newRow("extended fmt") << riff(fmt({ .rate = 8000, .size = 18 }), data(4))
                                  << WaveFormat { 1, 8000, 8 } << samples(4);
    QTest::newRow("data before fmt") << riff(data(6), fmt()) << mono8 << samples(6);
    QTest::newRow("16-bit stereo, a broken last frame dropped")
        << riff(fmt({ .channels = 2, .rate = 96000, .bits = 16 }), data(10)) << WaveFormat { 2, 96000, 16 }
        << samples(8);
    QTest::newRow("data claiming more than is there is cut to what is there")
        << riff(fmt(), chunk("data", samples(10), 1000)) << mono8 << samples(10);
    QTest::newRow("empty data") << riff(fmt(), data(0)) << mono8 << Bytes {};
    // The second of a kind comes before the other kind is found, while the walk goes on.
    QTest::newRow("the first fmt counts")
        << riff(fmt(), fmt({ .channels = 2, .bits = 16 }), data(4)) << mono8 << samples(4);
    QTest::newRow("the first data counts") << riff(data(3), data(9), fmt()) << mono8 << samples(3);
}

void WaveImageTest::reads_format_and_samples()
{
    QFETCH(Bytes, image);
    QFETCH(WaveFormat, format);
    QFETCH(Bytes, expected);

    const ParsedWave parsed = parse_wave(image);
    QCOMPARE(parsed.error, WaveError::None);
    QCOMPARE(parsed.image.format.channels, format.channels);
    QCOMPARE(parsed.image.format.sample_rate, format.sample_rate);
    QCOMPARE(parsed.image.format.bits_per_sample, format.bits_per_sample);
    QCOMPARE(Bytes(parsed.image.samples.begin(), parsed.image.samples.end()), expected);
    QVERIFY(samples_inside(image));
}

// Each broken image is the well-formed mono 8-bit one with one thing wrong.
void WaveImageTest::rejects_broken_images()
{
    using enum WaveError;
    const struct { const char* name; Bytes image; WaveError error; } cases[] = {
        { "empty", {}, NotRiffWave },
        { "not RIFF", chunk("RIFX", ascii("WAVE") + fmt() + data(8)), NotRiffWave },
        { "not WAVE", chunk("RIFF", ascii("AVI ") + fmt() + data(8)), NotRiffWave },
        { "header only", riff(), MissingFormat },
        { "no fmt", riff(data(8)), MissingFormat },
        { "fmt too short", riff(fmt({ .size = 14 }), data(8)), MissingFormat },
        // Cut after the 16 bytes that PCM needs: a chunk running past the end is absent.
        { "fmt running past the end", cut(riff(fmt({ .size = 18 }), data(8)), 12 + 8 + 16), MissingFormat },
        { "float samples", riff(fmt({ .tag = 3, .bits = 32 }), data(8)), NotPcm },
        { "extensible", riff(fmt({ .tag = 0xFFFE, .bits = 16 }), data(8)), NotPcm },
        { "24-bit", riff(fmt({ .bits = 24 }), data(8)), UnsupportedFormat },
        { "no channels", riff(fmt({ .channels = 0 }), data(8)), UnsupportedFormat },
        { "no rate", riff(fmt({ .rate = 0 }), data(8)), UnsupportedFormat },
        { "no data", riff(fmt(), chunk("fact", le(1, 4))), MissingData },
        { "data hidden behind an oversized chunk", riff(fmt(), chunk("LIST", samples(4), 0xFFFFFFFF), data(8)),
            MissingData },
        { "data header cut short", cut(riff(fmt(), data(8)), 12 + 24 + 6), MissingData },
    };
    for (const auto& [name, image, error] : cases) {
        const WaveError found = parse_wave(image).error;
        QVERIFY2(found == error, qPrintable(QStringLiteral("%1: error %2").arg(name).arg(int(found))));
    }
}

// Every shorter image, and every byte turned to 0xFF or 0x00, must parse without reading
// outside it (the checkers stop the test if it does) and leave the samples inside it.
void WaveImageTest::stays_inside_cut_and_damaged_images()
{
    const Bytes whole = riff(chunk("LIST", samples(5)), fmt({ .channels = 2, .bits = 16 }),
        chunk("fact", le(4, 4)), data(17));
    QVERIFY(parse_wave(whole));

    for (std::size_t size = 0; size <= whole.size(); ++size)
        QVERIFY2(samples_inside(cut(whole, size)), qPrintable(QStringLiteral("cut to %1 bytes").arg(size)));
    for (std::size_t at = 0; at < whole.size(); ++at) {
        for (const std::uint8_t damage : { 0xFF, 0x00 }) {
            Bytes image = whole;
            image[at] = damage;
            QVERIFY2(samples_inside(image), qPrintable(QStringLiteral("byte %1 set to %2").arg(at).arg(damage)));
        }
    }
}

QTEST_APPLESS_MAIN(WaveImageTest)
#include "tst_wave_image.moc"
