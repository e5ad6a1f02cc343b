// PlayWave's hand-over: the door sound loaded whole from the built-in resources and given,
// once a call, to whatever sink is in place.
#include "Sequence.h"

#include "app/Common.h"
#include "platform/audio/Sound.h"

#include <QTest>

#include <algorithm>
#include <fstream>
#include <iterator>

using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes file_bytes(const std::string& name)
{
    std::ifstream file(std::string(BUS_ASSETS_DIR) + "/" + name, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

// Which sound file the bytes are, byte for byte; else how many bytes they are.
std::string which(std::span<const std::uint8_t> bytes)
{
    for (const char* name : { "wave101.wav", "wave102.wav" })
        if (std::ranges::equal(bytes, file_bytes(name)))
            return name;
    return std::to_string(bytes.size()) + " other bytes";
}

class RecordingSink : public platform::SoundSink {
public:
    bool play(std::span<const std::uint8_t> wave_image) override
    {
        const bool from_buffer = std::ranges::equal(wave_image, Common::SoundBuffer);
        rows.push_back("  plays " + which(wave_image) + (from_buffer ? " from the buffer" : ""));
        return answer;
    }

    Sequence rows;
    bool answer { true };
};

}

class PlayWaveTest : public QObject {
    Q_OBJECT

private slots:
    void each_call_loads_its_sound_afresh_and_plays_it_once();

private:
    RecordingSink m_sink;
    const platform::Override<platform::SoundSink> m_in_place { m_sink };
};

void PlayWaveTest::each_call_loads_its_sound_afresh_and_plays_it_once()
{
    m_sink.answer = false; // a failed play is not tried again
    for (std::int16_t id : { 101, 0, 101, 103, -1, 102, 32767 }) {
        Common::SoundBuffer.assign(100'000, 0xAB); // left over, and longer than any sound
        m_sink.rows.push_back("PlayWave(" + std::to_string(id) + ")");
        Common::PlayWave(id);
    }
    const Sequence expected { "PlayWave(101)", "  plays wave101.wav from the buffer", "PlayWave(0)",
                              "PlayWave(101)", "  plays wave101.wav from the buffer", "PlayWave(103)",
                              "PlayWave(-1)",  "PlayWave(102)", "  plays wave102.wav from the buffer",
                              "PlayWave(32767)" };
    COMPARE_SEQUENCE(expected, m_sink.rows, "PlayWave calls and the sounds played");
}

QTEST_APPLESS_MAIN(PlayWaveTest)
#include "tst_play_wave.moc"
