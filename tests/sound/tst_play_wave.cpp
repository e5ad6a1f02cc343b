// PlayWave's hand-over: the door sound loaded whole from the built-in resources and given,
// once a call, to whatever sink is in place.
#include "app/Common.h"
#include "platform/Resources.h"
#include "platform/RuntimeError.h"
#include "platform/Sound.h"
#include "platform/WaveImage.h"

#include <QTest>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

namespace {

class RecordingSink : public platform::SoundSink {
public:
    bool play(std::span<const std::uint8_t> wave_image) override
    {
        played.emplace_back(wave_image.begin(), wave_image.end());
        return answer;
    }

    std::vector<Bytes> played;
    bool answer { true };
};

Bytes file_bytes(const std::string& name)
{
    std::ifstream file(std::string(BUS_ASSETS_DIR) + "/" + name, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

}

class PlayWaveTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void plays_resource_101_whole_once();
    void replaces_the_whole_buffer();
    void plays_once_per_call();
    void unknown_id_plays_nothing();
    void resources_are_playable_waves();
    void resources_other_than_waves_are_missing();
    void sndPlaySound_takes_memory_images_only();

private:
    RecordingSink m_sink;
};

void PlayWaveTest::init()
{
    m_sink = RecordingSink {};
    Common::SoundBuffer.clear();
    platform::set_sound_sink(&m_sink);
}

void PlayWaveTest::cleanup()
{
    platform::set_sound_sink(nullptr);
}

void PlayWaveTest::plays_resource_101_whole_once()
{
    const Bytes file = file_bytes("wave101.wav");
    QCOMPARE(file.size(), 17684u);

    Common::PlayWave(101);

    QCOMPARE(Common::SoundBuffer.size(), 17684u);
    QVERIFY(Common::SoundBuffer == file);
    QCOMPARE(m_sink.played.size(), 1u);
    QVERIFY(m_sink.played.front() == file);
}

void PlayWaveTest::replaces_the_whole_buffer()
{
    Common::SoundBuffer.assign(100'000, 0xAB);
    Common::PlayWave(102);
    QCOMPARE(Common::SoundBuffer.size(), 44156u);
    Common::PlayWave(101);
    QVERIFY(Common::SoundBuffer == file_bytes("wave101.wav"));
}

void PlayWaveTest::plays_once_per_call()
{
    m_sink.answer = false; // a failed play is not tried again
    for (int i = 0; i < 3; ++i)
        Common::PlayWave(101);
    QCOMPARE(m_sink.played.size(), 3u);
}

void PlayWaveTest::unknown_id_plays_nothing()
{
    for (std::int16_t id : { 0, 103, -1, 32767 })
        Common::PlayWave(id);
    QVERIFY(m_sink.played.empty());
}

void PlayWaveTest::resources_are_playable_waves()
{
    for (auto [id, frames] : { std::pair { 101, 17640u }, std::pair { 102, 44100u } }) {
        const Bytes wave = platform::LoadResData(id, "wave");
        const platform::ParsedWave parsed = platform::parse_wave(wave);
        QVERIFY(parsed);
        QCOMPARE(parsed.image.format.channels, 1);
        QCOMPARE(parsed.image.format.sample_rate, 22050u);
        QCOMPARE(parsed.image.format.bits_per_sample, 8);
        QCOMPARE(parsed.image.frames(), frames);
    }
}

void PlayWaveTest::resources_other_than_waves_are_missing()
{
    for (auto [id, type] : { std::pair { 101, "BITMAP" }, std::pair { 103, "WAVE" } }) {
        try {
            platform::LoadResData(id, type);
            QFAIL(qPrintable(QString("resource %1 %2 was found").arg(type).arg(id)));
        } catch (const platform::RuntimeError& error) {
            QCOMPARE(error.number(), platform::err::ResourceNotFound);
        }
    }
}

void PlayWaveTest::sndPlaySound_takes_memory_images_only()
{
    using platform::SND_MEMORY;
    using platform::SND_NODEFAULT;
    const Bytes wave = file_bytes("wave101.wav");
    constexpr std::uint32_t async = 0x0001;

    QCOMPARE(platform::sndPlaySound(wave, SND_NODEFAULT), 0); // a file name, not an image
    QCOMPARE(platform::sndPlaySound(wave, SND_MEMORY | SND_NODEFAULT | async), 0);
    QCOMPARE(platform::sndPlaySound({}, SND_MEMORY | SND_NODEFAULT), 0);
    QVERIFY(m_sink.played.empty());

    QCOMPARE(platform::sndPlaySound(wave, SND_MEMORY | SND_NODEFAULT), 1);
    m_sink.answer = false;
    QCOMPARE(platform::sndPlaySound(wave, SND_MEMORY), 0);
    QCOMPARE(m_sink.played.size(), 2u);
}

QTEST_APPLESS_MAIN(PlayWaveTest)
#include "tst_play_wave.moc"
