#include "tests/platform/media/MediaTestSupport.h"

#include "platform/Sound.h"

#include <QFile>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Owns the application for the whole run and ends it after the last test,
// while Qt's own globals are still alive.
class GuiEnvironment : public ::testing::Environment {
public:
    void TearDown() override { app.reset(); }
    std::unique_ptr<QGuiApplication> app;
};

// gtest owns the environments it is given.
GuiEnvironment* const Environment =
    static_cast<GuiEnvironment*>(::testing::AddGlobalTestEnvironment(new GuiEnvironment));

} // namespace

void EnsureGuiApplication()
{
    static int argc = 1;
    static char name[] = "test_platform_media";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        Environment->app = std::make_unique<QGuiApplication>(argc, argv);
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

std::vector<int> WaveSamples(const QByteArray& wave)
{
    const std::optional<WaveFormat> format = ReadWaveFormat(wave);
    std::vector<int> samples;
    if (!format || format->BitsPerSample != 16) return samples;
    const auto* bytes = reinterpret_cast<const unsigned char*>(wave.constData());
    for (qint64 at = format->DataOffset; at + 1 < format->DataOffset + format->DataSize; at += 2)
        samples.push_back(static_cast<qint16>(bytes[at] | (bytes[at + 1] << 8)));
    return samples;
}
