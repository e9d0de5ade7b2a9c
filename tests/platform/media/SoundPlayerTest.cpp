// The sound players and the sleep hook: the recording player keeps plays and
// pauses in call order, installed players and handlers are restored, and the
// Qt player stays silent and harmless without sounds, device or owner.

#include "platform/Sound.h"
#include "tests/platform/media/MediaTestSupport.h"

#include <QAudioDevice>
#include <QMediaDevices>

#include <gtest/gtest.h>

#include <memory>

using Event = RecordingSoundPlayer::Event;
using Kind = RecordingSoundPlayer::EventKind;

TEST(RecordingPlayer, KeepsPlaysAndPausesInOrder)
{
    RecordingSoundPlayer player;
    ScopedSoundPlayer use(player);
    ScopedSleepHandler pauses(player.PauseRecorder());
    // A quiet move, a castling (two sounds with a pause), a capture.
    Sounds().PlaySound(101, true);
    Sounds().PlaySound(102, true);
    SleepMs(200);
    Sounds().PlaySound(101, true);
    Sounds().PlaySound(103, false);
    const std::vector<Event> expected{
        {Kind::Play, 101, true}, {Kind::Play, 102, true},  {Kind::Pause, 200, false},
        {Kind::Play, 101, true}, {Kind::Play, 103, false},
    };
    EXPECT_EQ(player.Events(), expected);
    EXPECT_EQ(player.PlayedIds(), (std::vector<int>{101, 102, 101, 103}));
    player.Clear();
    EXPECT_TRUE(player.Events().empty());
}

TEST(RecordingPlayer, InstallingNestsAndRestores)
{
    RecordingSoundPlayer outer;
    RecordingSoundPlayer inner;
    {
        ScopedSoundPlayer a(outer);
        EXPECT_EQ(&Sounds(), &outer);
        {
            ScopedSoundPlayer b(inner);
            EXPECT_EQ(&Sounds(), &inner);
            Sounds().PlaySound(103, true);
        }
        EXPECT_EQ(&Sounds(), &outer);
        Sounds().PlaySound(101, true);
    }
    EXPECT_EQ(inner.PlayedIds(), std::vector<int>{103});
    EXPECT_EQ(outer.PlayedIds(), std::vector<int>{101});
    EXPECT_EQ(SetSoundPlayer(nullptr), nullptr) << "nothing left installed";
}

TEST(SleepHook, HandlerReceivesThePauseAndIsRestored)
{
    std::vector<int> outer;
    std::vector<int> inner;
    {
        ScopedSleepHandler a([&](int ms) { outer.push_back(ms); });
        SleepMs(200);
        {
            ScopedSleepHandler b([&](int ms) { inner.push_back(ms); });
            SleepMs(64);
        }
        SleepMs(0);
    }
    EXPECT_EQ(outer, (std::vector<int>{200, 0}));
    EXPECT_EQ(inner, std::vector<int>{64});
    EXPECT_FALSE(SetSleepHandler({})) << "nothing left installed";
}

TEST(NullPlayer, PlaysNothing)
{
    NullSoundPlayer silent;
    ScopedSoundPlayer use(silent);
    EXPECT_EQ(&Sounds(), &silent);
    Sounds().PlaySound(101, false); // returns at once, nothing to wait for
}

TEST(QtPlayer, FollowsTheAudioOutputsAndNeverFails)
{
    EnsureGuiApplication();
    MoveSoundWaveSet waves;
    ASSERT_EQ(waves.Load(), 3) << "the sounds load with or without an audio device";
    QtSoundPlayer player(waves);
    EXPECT_EQ(player.HasAudioOutput(), !QMediaDevices::audioOutputs().isEmpty());
    struct Case {
        const char* name;
        int id;
        bool async;
    };
    const Case cases[] = {
        {"move, async", 101, true},     {"other move, async", 102, true},
        {"capture, waits", 103, false}, {"cut off by another", 101, true},
        {"unknown id", 999, false},     {"id zero", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        player.PlaySound(c.id, c.async);
    }
}

TEST(QtPlayer, ReleasedSoundsPlayNothing)
{
    EnsureGuiApplication();
    MoveSoundWaveSet waves;
    QtSoundPlayer player(waves); // nothing loaded yet
    player.PlaySound(101, false);
    waves.Load();
    waves.Release();
    player.PlaySound(103, false);
}

TEST(QtPlayer, OwnerGoneFirstLeavesItSilent)
{
    EnsureGuiApplication();
    MoveSoundWaveSet waves;
    waves.Load();
    auto owner = std::make_unique<QObject>();
    QtSoundPlayer player(waves, owner.get());
    player.PlaySound(101, true);
    owner.reset(); // takes the sound effects with it
    EXPECT_FALSE(player.HasAudioOutput());
    player.PlaySound(102, true);
    player.PlaySound(103, false);
}
