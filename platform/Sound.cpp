#include "platform/Sound.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <memory>

MoveSoundWaveSet MoveSoundWaves;

namespace {

quint32 ReadLe(const QByteArray& data, qint64 at, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    return value;
}

QByteArray ReadResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// How much longer than its length a synchronous play may wait for the end.
constexpr int SyncSlackMs = 300;

SoundPlayer* installedPlayer = nullptr;

} // namespace

QString MoveSoundPath(int id)
{
    for (int known : MoveSoundLoadOrder)
        if (known == id) return QStringLiteral(":/sounds/%1.wav").arg(id);
    return {};
}

std::optional<WaveFormat> ReadWaveFormat(const QByteArray& data)
{
    const qint64 size = data.size();
    if (size < 12 || !data.startsWith("RIFF") || data.mid(8, 4) != "WAVE") return std::nullopt;
    WaveFormat format;
    bool haveFormat = false;
    qint64 at = 12;
    while (at + 8 <= size) {
        const QByteArray id = data.mid(at, 4);
        const qint64 length = ReadLe(data, at + 4, 4);
        const qint64 body = at + 8;
        if (length > size - body) return std::nullopt; // a chunk that runs past the end
        if (id == "fmt ") {
            if (length < 16 || ReadLe(data, body, 2) != 1) // PCM only
                return std::nullopt;
            format.Channels = static_cast<int>(ReadLe(data, body + 2, 2));
            format.SampleRate = static_cast<int>(ReadLe(data, body + 4, 4));
            const int blockAlign = static_cast<int>(ReadLe(data, body + 12, 2));
            format.BitsPerSample = static_cast<int>(ReadLe(data, body + 14, 2));
            const bool bitsOk = format.BitsPerSample == 8 || format.BitsPerSample == 16 ||
                                format.BitsPerSample == 24 || format.BitsPerSample == 32;
            if (format.Channels < 1 || format.Channels > 2 || format.SampleRate <= 0 || !bitsOk ||
                blockAlign != format.Channels * format.BitsPerSample / 8)
                return std::nullopt;
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) return std::nullopt;
            format.DataOffset = body;
            format.DataSize = length;
            format.Frames = length / (format.Channels * format.BitsPerSample / 8);
            return format;
        }
        at = body + length + (length & 1); // chunks are padded to an even size
    }
    return std::nullopt;
}

int MoveSoundWaveSet::Load(const Reader& read)
{
    int loaded = 0;
    for (std::size_t i = 0; i < waves_.size(); ++i) {
        const int id = MoveSoundLoadOrder[i];
        const QString path = MoveSoundPath(id);
        QByteArray data = read ? read(path) : ReadResource(path);
        if (!ReadWaveFormat(data))
            data.clear();
        else
            ++loaded;
        waves_[i] = MoveSoundWave{id, std::move(data)};
    }
    return loaded;
}

void MoveSoundWaveSet::Release()
{
    for (MoveSoundWave& wave : waves_)
        wave.Data = QByteArray();
}

const QByteArray& MoveSoundWaveSet::Data(int id) const
{
    static const QByteArray none;
    for (const MoveSoundWave& wave : waves_)
        if (wave.Id == id) return wave.Data;
    return none;
}

void RecordingSoundPlayer::PlaySound(int id, bool async)
{
    events_.push_back({EventKind::Play, id, async});
}

void RecordingSoundPlayer::RecordPause(int ms)
{
    events_.push_back({EventKind::Pause, ms, false});
}

std::function<void(int)> RecordingSoundPlayer::PauseRecorder()
{
    return [this](int ms) { RecordPause(ms); };
}

std::vector<int> RecordingSoundPlayer::PlayedIds() const
{
    std::vector<int> ids;
    for (const Event& e : events_)
        if (e.Kind == EventKind::Play) ids.push_back(e.Value);
    return ids;
}

QtSoundPlayer::QtSoundPlayer(const MoveSoundWaveSet& waves, QObject* owner) : waves_(waves)
{
    if (!owner) owner = QCoreApplication::instance();
    // No application or no audio output: stay silent rather than fail.
    if (owner && !QMediaDevices::audioOutputs().isEmpty()) holder_ = new QObject(owner);
}

QtSoundPlayer::~QtSoundPlayer()
{
    delete holder_.data();
}

QSoundEffect* QtSoundPlayer::Effect(int id)
{
    QPointer<QSoundEffect>& effect = effects_[id];
    if (!effect && holder_) {
        effect = new QSoundEffect(holder_);
        effect->setSource(QUrl(QStringLiteral("qrc") + MoveSoundPath(id)));
    }
    return effect;
}

void QtSoundPlayer::StopAll()
{
    for (auto& [id, effect] : effects_)
        if (effect && effect->isPlaying()) effect->stop();
}

void QtSoundPlayer::PlaySound(int id, bool async)
{
    if (!holder_) return;
    StopAll();
    const QByteArray& data = waves_.Data(id);
    const std::optional<WaveFormat> format = ReadWaveFormat(data);
    if (!format) return;
    QSoundEffect* effect = Effect(id);
    if (!effect) return;
    effect->play();
    if (async) return;
    // Wait for the end, but never longer than the sound plus a margin: a
    // backend that never reports the end must not hang the program.
    QEventLoop loop;
    QObject::connect(effect, &QSoundEffect::playingChanged, &loop, [&loop, effect] {
        if (!effect->isPlaying()) loop.quit();
    });
    QTimer::singleShot(format->DurationMs() + SyncSlackMs, &loop, &QEventLoop::quit);
    loop.exec();
}

SoundPlayer& Sounds()
{
    if (installedPlayer) return *installedPlayer;
    static std::unique_ptr<QtSoundPlayer> qtPlayer;
    if (!qtPlayer) qtPlayer = std::make_unique<QtSoundPlayer>(MoveSoundWaves);
    return *qtPlayer;
}

SoundPlayer* SetSoundPlayer(SoundPlayer* player)
{
    SoundPlayer* previous = installedPlayer;
    installedPlayer = player;
    return previous;
}
