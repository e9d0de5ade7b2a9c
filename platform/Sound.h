// Sound: the move sounds and the stand-in for sndPlaySoundA.
//
// The three WAVE resources 101, 102 and 103 are built at build time
// (resources/sounds) and embedded by velmora_media as :/sounds/101.wav,
// :/sounds/102.wav and :/sounds/103.wav (16-bit mono PCM, 22050 Hz, each
// under 0.2 s). MoveSoundWaves holds their bytes from start-up to exit:
//   MoveSoundWaves.Load();            // in the main window's constructor
//   Sounds().PlaySound(103, true);    // sndPlaySoundA(data, SND_ASYNC | SND_MEMORY)
//   SleepMs(200);                     // Sleep(200) between the castling sounds
//   MoveSoundWaves.Release();         // at close
//
// Semantics kept: a new sound cuts off the one still playing; an asynchronous
// play returns at once; a synchronous one returns when the sound has ended.
// A sound that was not loaded stops what plays and plays nothing.
// All playing goes through Sounds(): a test installs a RecordingSoundPlayer
// (or a NullSoundPlayer) and a sleep handler, so nothing sounds or waits.
// Without an audio device, or without an application object, the Qt player
// stays silent; nothing fails.
// Left out: playing from a file name, looping, SND_NOSTOP and the other flags.
#pragma once

#include "platform/ScopedInstall.h"
#include "platform/Sleep.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class QSoundEffect;

inline constexpr int MoveSoundWhiteId = 101;   // quiet move from an even ply; castling, second
inline constexpr int MoveSoundBlackId = 102;   // quiet move from an odd ply; castling, first
inline constexpr int MoveSoundCaptureId = 103; // a capture

// The order in which the main window's constructor loads them.
inline constexpr std::array<int, 3> MoveSoundLoadOrder{MoveSoundBlackId, MoveSoundWhiteId,
                                                       MoveSoundCaptureId};

// Resource path of a sound id (":/sounds/101.wav"); empty for an unknown id.
QString MoveSoundPath(int id);

// The format of a PCM WAVE file.
struct WaveFormat {
    int Channels = 0;
    int SampleRate = 0;
    int BitsPerSample = 0;
    qint64 Frames = 0;
    qint64 DataOffset = 0; // of the first sample byte
    qint64 DataSize = 0;

    int DurationMs() const
    {
        return SampleRate > 0 ? static_cast<int>(Frames * 1000 / SampleRate) : 0;
    }
};

// Reads the RIFF/WAVE header of uncompressed PCM data (8, 16, 24 or 32 bits,
// 1 or 2 channels); nothing when the bytes are no such file or a chunk runs
// past the end.
std::optional<WaveFormat> ReadWaveFormat(const QByteArray& data);

// One loaded WAVE resource; Data is empty when it was missing or malformed.
struct MoveSoundWave {
    int Id = 0;
    QByteArray Data;
};

// The three move sounds, kept in memory for the whole run.
class MoveSoundWaveSet {
public:
    using Reader = std::function<QByteArray(const QString& path)>;

    // Reads the resources in MoveSoundLoadOrder through the reader (the
    // resource system by default); a missing file or one that is not a PCM
    // WAVE stays empty. Returns how many were loaded.
    int Load(const Reader& read = {});
    void Release();

    // The bytes of a sound; empty for an unknown id or one not loaded.
    const QByteArray& Data(int id) const;
    bool IsLoaded(int id) const { return !Data(id).isEmpty(); }

    // In load order.
    const std::array<MoveSoundWave, 3>& Waves() const { return waves_; }

private:
    std::array<MoveSoundWave, 3> waves_{};
};

extern MoveSoundWaveSet MoveSoundWaves;

// Plays the move sounds.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays sound id (101..103), cutting off any sound still playing; with
    // async false it returns when the sound has ended.
    virtual void PlaySound(int id, bool async) = 0;
};

// Plays nothing.
class NullSoundPlayer : public SoundPlayer {
public:
    void PlaySound(int, bool) override {}
};

// Records what would be played, and pauses when given its PauseRecorder as
// the sleep handler, in one log in call order.
class RecordingSoundPlayer : public SoundPlayer {
public:
    enum class EventKind { Play, Pause };
    struct Event {
        EventKind Kind;
        int Value; // sound id or pause in ms
        bool Async;
        bool operator==(const Event&) const = default;
    };

    void PlaySound(int id, bool async) override;
    void RecordPause(int ms);
    std::function<void(int)> PauseRecorder();

    const std::vector<Event>& Events() const { return events_; }
    // Only the ids played, in order.
    std::vector<int> PlayedIds() const;
    void Clear() { events_.clear(); }

private:
    std::vector<Event> events_;
};

// Plays the loaded waves through Qt Multimedia, one QSoundEffect per sound.
// The effects are children of the owner (the application by default), so
// they never outlive it; without an owner or an audio output it is silent.
class QtSoundPlayer : public SoundPlayer {
public:
    explicit QtSoundPlayer(const MoveSoundWaveSet& waves = MoveSoundWaves,
                           QObject* owner = nullptr);
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    bool HasAudioOutput() const { return !holder_.isNull(); }
    void PlaySound(int id, bool async) override;

private:
    QSoundEffect* Effect(int id);
    void StopAll();

    const MoveSoundWaveSet& waves_;
    QPointer<QObject> holder_;
    std::map<int, QPointer<QSoundEffect>> effects_;
};

// The player in use: the one installed, else a QtSoundPlayer on
// MoveSoundWaves made on first use (call it after the application object
// exists, or that player stays silent).
SoundPlayer& Sounds();

// Installs a player (not owned; nullptr returns to the Qt player) and gives
// back the one it replaces.
SoundPlayer* SetSoundPlayer(SoundPlayer* player);

// Installs a player for the lifetime of the object.
using ScopedSoundPlayer = ScopedInstall<SoundPlayer*, &SetSoundPlayer>;
