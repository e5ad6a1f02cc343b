// The door sound's WAVE reader against well-formed, unusual and broken images.
#include "platform/WaveImage.h"

#include <QTest>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

using platform::parse_wave;
using platform::ParsedWave;
using platform::WaveError;
using Bytes = std::vector<std::uint8_t>;

Q_DECLARE_METATYPE(Bytes)
Q_DECLARE_METATYPE(WaveError)

namespace {

void put16(Bytes& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value)
{
    put16(out, static_cast<std::uint16_t>(value));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

void put_tag(Bytes& out, std::string_view tag)
{
    out.insert(out.end(), tag.begin(), tag.end());
}

// A chunk with its pad byte; `declared` overrides the size field to make liars.
Bytes chunk(std::string_view tag, const Bytes& body, std::optional<std::uint32_t> declared = {})
{
    Bytes out;
    put_tag(out, tag);
    put32(out, declared.value_or(static_cast<std::uint32_t>(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0)
        out.push_back(0);
    return out;
}

Bytes format_body(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
    std::uint16_t tag = 1)
{
    const auto block = static_cast<std::uint16_t>(channels * bits / 8);
    Bytes out;
    put16(out, tag);
    put16(out, channels);
    put32(out, rate);
    put32(out, rate * block);
    put16(out, block);
    put16(out, bits);
    return out;
}

Bytes mono8() { return chunk("fmt ", format_body(1, 22050, 8)); }

Bytes samples(std::size_t count)
{
    Bytes out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return out;
}

Bytes riff(std::initializer_list<Bytes> chunks)
{
    Bytes body;
    put_tag(body, "WAVE");
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    Bytes out;
    put_tag(out, "RIFF");
    put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes cut(Bytes image, std::size_t size)
{
    image.resize(size);
    return image;
}

Bytes without_last_byte(Bytes image)
{
    image.pop_back();
    return image;
}

Bytes sample_bytes(const ParsedWave& parsed)
{
    return { parsed.image.samples.begin(), parsed.image.samples.end() };
}

bool samples_inside(const ParsedWave& parsed, const Bytes& image)
{
    const auto& s = parsed.image.samples;
    return s.empty()
        || (s.data() >= image.data() && s.data() + s.size() <= image.data() + image.size());
}

}

class WaveImageTest : public QObject {
    Q_OBJECT

private slots:
    void reads_format_and_samples_data();
    void reads_format_and_samples();
    void rejects_data();
    void rejects();
    void stays_inside_cut_and_damaged_images();
};

void WaveImageTest::reads_format_and_samples_data()
{
    QTest::addColumn<Bytes>("image");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<Bytes>("expected");

    QTest::newRow("plain mono 8-bit") << riff({ mono8(), chunk("data", samples(10)) })
                                      << 1 << 22050 << 8 << samples(10);
    QTest::newRow("odd chunks before fmt, odd data last without its pad")
        << without_last_byte(riff({ chunk("LIST", samples(3)), chunk("junk", samples(1)),
               mono8(), chunk("data", samples(5)) }))
        << 1 << 22050 << 8 << samples(5);
    QTest::newRow("fact chunk between fmt and data")
        << riff({ mono8(), chunk("fact", { 10, 0, 0, 0 }), chunk("data", samples(10)) })
        << 1 << 22050 << 8 << samples(10);
    QTest::newRow("extended fmt with cbSize")
        << riff({ chunk("fmt ", [] { Bytes f = format_body(1, 8000, 8); put16(f, 0); return f; }()),
               chunk("data", samples(4)) })
        << 1 << 8000 << 8 << samples(4);
    QTest::newRow("data before fmt") << riff({ chunk("data", samples(6)), mono8() })
                                     << 1 << 22050 << 8 << samples(6);
    QTest::newRow("16-bit stereo, a broken last frame dropped")
        << riff({ chunk("fmt ", format_body(2, 44100, 16)), chunk("data", samples(10)) })
        << 2 << 44100 << 16 << samples(8);
    QTest::newRow("data claiming more than is there is cut to what is there")
        << riff({ mono8(), chunk("data", samples(10), 1000) }) << 1 << 22050 << 8
        << samples(10);
    QTest::newRow("empty data") << riff({ mono8(), chunk("data", {}) }) << 1 << 22050 << 8
                                << Bytes {};
    QTest::newRow("first fmt and first data count")
        << riff({ mono8(), chunk("data", samples(3)), chunk("fmt ", format_body(2, 1, 16)),
               chunk("data", samples(9)) })
        << 1 << 22050 << 8 << samples(3);
}

void WaveImageTest::reads_format_and_samples()
{
    QFETCH(Bytes, image);
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(Bytes, expected);

    const ParsedWave parsed = parse_wave(image);
    QCOMPARE(parsed.error, WaveError::None);
    QCOMPARE(parsed.image.format.channels, channels);
    QCOMPARE(parsed.image.format.sample_rate, static_cast<std::uint32_t>(rate));
    QCOMPARE(parsed.image.format.bits_per_sample, bits);
    QCOMPARE(sample_bytes(parsed), expected);
    QVERIFY(samples_inside(parsed, image));
    QCOMPARE(parsed.image.frames(), expected.size() / (channels * bits / 8));
}

void WaveImageTest::rejects_data()
{
    QTest::addColumn<Bytes>("image");
    QTest::addColumn<WaveError>("error");

    const Bytes data = chunk("data", samples(8));
    Bytes rifx = riff({ mono8(), data });
    rifx[3] = 'X';
    Bytes avi = riff({ mono8(), data });
    avi[8] = 'A';

    QTest::newRow("empty") << Bytes {} << WaveError::NotRiffWave;
    QTest::newRow("garbage") << samples(64) << WaveError::NotRiffWave;
    QTest::newRow("not RIFF") << rifx << WaveError::NotRiffWave;
    QTest::newRow("not WAVE") << avi << WaveError::NotRiffWave;
    QTest::newRow("header only") << riff({}) << WaveError::MissingFormat;
    QTest::newRow("no fmt") << riff({ data }) << WaveError::MissingFormat;
    QTest::newRow("fmt too short") << riff({ chunk("fmt ", cut(format_body(1, 22050, 8), 14)), data })
                                   << WaveError::MissingFormat;
    QTest::newRow("fmt running past the end")
        << cut(riff({ mono8() }), 12 + 8 + 10) << WaveError::MissingFormat;
    QTest::newRow("float samples") << riff({ chunk("fmt ", format_body(1, 22050, 32, 3)), data })
                                   << WaveError::NotPcm;
    QTest::newRow("extensible") << riff({ chunk("fmt ", format_body(1, 22050, 16, 0xFFFE)), data })
                                << WaveError::NotPcm;
    QTest::newRow("24-bit") << riff({ chunk("fmt ", format_body(1, 22050, 24)), data })
                            << WaveError::UnsupportedFormat;
    QTest::newRow("no channels") << riff({ chunk("fmt ", format_body(0, 22050, 8)), data })
                                 << WaveError::UnsupportedFormat;
    QTest::newRow("no rate") << riff({ chunk("fmt ", format_body(1, 0, 8)), data })
                             << WaveError::UnsupportedFormat;
    QTest::newRow("no data") << riff({ mono8(), chunk("fact", { 1, 0, 0, 0 }) })
                             << WaveError::MissingData;
    QTest::newRow("data hidden behind an oversized chunk")
        << riff({ mono8(), chunk("LIST", samples(4), 0xFFFFFFFF), data }) << WaveError::MissingData;
    QTest::newRow("data header cut short") << cut(riff({ mono8(), data }), 12 + 24 + 6)
                                           << WaveError::MissingData;
}

void WaveImageTest::rejects()
{
    QFETCH(Bytes, image);
    QFETCH(WaveError, error);

    QCOMPARE(parse_wave(image).error, error);
}

// Every shorter image, and every byte turned to 0xFF or 0x00, must parse without reading
// outside it (the checkers stop the test if it does) and leave the samples inside it.
void WaveImageTest::stays_inside_cut_and_damaged_images()
{
    const Bytes whole = riff({ chunk("LIST", samples(5)), chunk("fmt ", format_body(2, 22050, 16)),
        chunk("fact", { 4, 0, 0, 0 }), chunk("data", samples(17)) });
    QVERIFY(parse_wave(whole));

    for (std::size_t size = 0; size <= whole.size(); ++size) {
        const Bytes image = cut(whole, size);
        QVERIFY2(samples_inside(parse_wave(image), image), qPrintable(QString::number(size)));
    }
    for (std::size_t at = 0; at < whole.size(); ++at) {
        for (std::uint8_t damage : { std::uint8_t { 0xFF }, std::uint8_t { 0x00 } }) {
            Bytes image = whole;
            image[at] = damage;
            QVERIFY2(samples_inside(parse_wave(image), image), qPrintable(QString::number(at)));
        }
    }
}

QTEST_APPLESS_MAIN(WaveImageTest)
#include "tst_wave_image.moc"
