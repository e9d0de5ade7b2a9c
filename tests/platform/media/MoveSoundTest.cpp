// The three embedded move sounds: valid short PCM WAVE files that start and
// end silently and differ from each other; and how MoveSoundWaves loads them.

#include "platform/Sound.h"
#include "tests/platform/media/MediaTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Zero crossings per second: higher for a brighter, sharper sound.
double CrossingRate(const std::vector<int>& s, int rate)
{
    int crossings = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        crossings += (s[i - 1] < 0) != (s[i] < 0) ? 1 : 0;
    return crossings * double(rate) / double(s.size());
}

int Peak(const std::vector<int>& s, std::size_t from, std::size_t to)
{
    int peak = 0;
    for (std::size_t i = from; i < to && i < s.size(); ++i)
        peak = std::max(peak, std::abs(s[i]));
    return peak;
}

} // namespace

TEST(MoveSounds, ResourcePaths)
{
    EXPECT_EQ(MoveSoundPath(101), ":/sounds/101.wav");
    EXPECT_EQ(MoveSoundPath(102), ":/sounds/102.wav");
    EXPECT_EQ(MoveSoundPath(103), ":/sounds/103.wav");
    EXPECT_TRUE(MoveSoundPath(100).isEmpty());
    EXPECT_TRUE(MoveSoundPath(104).isEmpty());
}

TEST(MoveSounds, ShortCleanPcmFiles)
{
    for (int id : {101, 102, 103}) {
        SCOPED_TRACE(id);
        const QByteArray wave = ReadBytes(MoveSoundPath(id));
        const std::optional<WaveFormat> f = ReadWaveFormat(wave);
        ASSERT_TRUE(f.has_value()) << "not embedded or not PCM";
        EXPECT_EQ(f->Channels, 1);
        EXPECT_EQ(f->SampleRate, 22050);
        EXPECT_EQ(f->BitsPerSample, 16);
        EXPECT_GE(f->DurationMs(), 60);
        EXPECT_LT(f->DurationMs(), 300);
        const std::vector<int> s = WaveSamples(wave);
        ASSERT_EQ(static_cast<qint64>(s.size()), f->Frames);
        // Faded at both ends: no click when it starts or is cut off at its end.
        EXPECT_EQ(s.front(), 0);
        EXPECT_EQ(s.back(), 0);
        const std::size_t ms = 22;
        EXPECT_LT(Peak(s, 0, ms), 3000) << "first millisecond";
        EXPECT_LT(Peak(s, s.size() - ms, s.size()), 300) << "last millisecond";
        // Loud enough to hear, and not clipped.
        const int peak = Peak(s, 0, s.size());
        EXPECT_GT(peak, 16000);
        EXPECT_LT(peak, 32767);
    }
}

TEST(MoveSounds, TheThreeSoundsDiffer)
{
    std::map<int, std::vector<int>> s;
    for (int id : {101, 102, 103})
        s[id] = WaveSamples(ReadBytes(MoveSoundPath(id)));
    ASSERT_FALSE(s[101].empty());
    ASSERT_FALSE(s[102].empty());
    ASSERT_FALSE(s[103].empty());
    EXPECT_NE(s[101], s[102]);
    // The capture is the sharpest, the other side's move the dullest.
    const double move = CrossingRate(s[101], 22050);
    const double other = CrossingRate(s[102], 22050);
    const double capture = CrossingRate(s[103], 22050);
    EXPECT_GT(capture, move * 1.2);
    EXPECT_GT(move, other * 1.2);
    // The capture is a double knock: loud again after the first has died down.
    EXPECT_GT(Peak(s[103], 22050 * 48 / 1000, 22050 * 60 / 1000), 8000);
}

TEST(MoveSoundWaves, LoadsInTheOrder102_101_103)
{
    std::vector<QString> asked;
    MoveSoundWaveSet set;
    const int loaded = set.Load([&](const QString& path) {
        asked.push_back(path);
        return ReadBytes(path);
    });
    EXPECT_EQ(loaded, 3);
    EXPECT_EQ(asked,
              (std::vector<QString>{":/sounds/102.wav", ":/sounds/101.wav", ":/sounds/103.wav"}));
    EXPECT_EQ(set.Waves()[0].Id, 102);
    EXPECT_EQ(set.Waves()[1].Id, 101);
    EXPECT_EQ(set.Waves()[2].Id, 103);
    for (int id : {101, 102, 103}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(set.IsLoaded(id));
        EXPECT_EQ(set.Data(id), ReadBytes(MoveSoundPath(id)));
    }
}

TEST(MoveSoundWaves, MissingOrBrokenSoundsStayEmpty)
{
    struct Case {
        const char* name;
        int brokenId;
        QByteArray replacement;
    };
    const Case cases[] = {
        {"101 missing", 101, QByteArray()},
        {"102 not a WAVE file", 102, QByteArray("RIFF....AVI junk")},
        {"103 cut after its header", 103, ReadBytes(MoveSoundPath(103)).left(20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MoveSoundWaveSet set;
        const int loaded = set.Load([&](const QString& path) {
            return path == MoveSoundPath(c.brokenId) ? c.replacement : ReadBytes(path);
        });
        EXPECT_EQ(loaded, 2);
        for (int id : {101, 102, 103})
            EXPECT_EQ(set.IsLoaded(id), id != c.brokenId) << id;
    }
}

TEST(MoveSoundWaves, ReleaseAndUnknownIds)
{
    MoveSoundWaveSet set;
    EXPECT_FALSE(set.IsLoaded(101)) << "nothing before Load";
    EXPECT_EQ(set.Load(), 3) << "from the embedded resources";
    EXPECT_TRUE(set.Data(0).isEmpty());
    EXPECT_TRUE(set.Data(104).isEmpty());
    set.Release();
    for (int id : {101, 102, 103})
        EXPECT_FALSE(set.IsLoaded(id)) << id;
    EXPECT_EQ(set.Load(), 3) << "loads again after a release";
}
