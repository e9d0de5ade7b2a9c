// Reading the header of a PCM WAVE file: good files with extra chunks, and
// every malformed header refused without reading past the end.

#include "platform/Sound.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray Le(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

QByteArray Chunk(const char* id, const QByteArray& body)
{
    QByteArray out = QByteArray(id, 4) + Le(body.size(), 4) + body;
    if (body.size() & 1) out.append('\0');
    return out;
}

QByteArray Fmt(int format, int channels, int rate, int bits, int blockAlign = -1)
{
    if (blockAlign < 0) blockAlign = channels * bits / 8;
    return Chunk("fmt ", Le(format, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * blockAlign, 4) +
                             Le(blockAlign, 2) + Le(bits, 2));
}

QByteArray Riff(const QByteArray& chunks)
{
    return "RIFF" + Le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

} // namespace

TEST(WaveFormat, GoodFiles)
{
    struct Case {
        const char* name;
        QByteArray file;
        int channels, rate, bits;
        qint64 frames, offset;
    };
    const QByteArray samples(400, '\x01');
    const Case cases[] = {
        {"mono 16 bit", Riff(Fmt(1, 1, 22050, 16) + Chunk("data", samples)), 1, 22050, 16, 200, 44},
        {"stereo 16 bit", Riff(Fmt(1, 2, 44100, 16) + Chunk("data", samples)), 2, 44100, 16, 100,
         44},
        {"8 bit", Riff(Fmt(1, 1, 8000, 8) + Chunk("data", samples)), 1, 8000, 8, 400, 44},
        // An odd-sized chunk before the data is padded to an even size.
        {"odd LIST chunk first",
         Riff(Chunk("LIST", QByteArray(5, 'x')) + Fmt(1, 1, 22050, 16) + Chunk("data", samples)), 1,
         22050, 16, 200, 58},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<WaveFormat> f = ReadWaveFormat(c.file);
        ASSERT_TRUE(f.has_value());
        EXPECT_EQ(f->Channels, c.channels);
        EXPECT_EQ(f->SampleRate, c.rate);
        EXPECT_EQ(f->BitsPerSample, c.bits);
        EXPECT_EQ(f->Frames, c.frames);
        EXPECT_EQ(f->DataOffset, c.offset);
        EXPECT_EQ(f->DataSize, samples.size());
    }
}

TEST(WaveFormat, DurationFromFramesAndRate)
{
    const QByteArray file = Riff(Fmt(1, 1, 22050, 16) + Chunk("data", QByteArray(4410, '\0')));
    ASSERT_TRUE(ReadWaveFormat(file));
    EXPECT_EQ(ReadWaveFormat(file)->DurationMs(), 100);
    EXPECT_EQ(WaveFormat{}.DurationMs(), 0);
}

TEST(WaveFormat, MalformedFilesAreRefused)
{
    const QByteArray data = Chunk("data", QByteArray(100, '\0'));
    const QByteArray fmt = Fmt(1, 1, 22050, 16);
    struct Case {
        const char* name;
        QByteArray file;
    };
    QByteArray pastEnd = Riff(fmt + data);
    pastEnd.chop(10); // the data chunk claims 10 bytes more than there are
    QByteArray hugeChunk = Riff(fmt + "data" + Le(0xFFFFFFF0u, 4) + QByteArray(8, '\0'));
    const Case cases[] = {
        {"empty", QByteArray()},
        {"short", QByteArray("RIFF")},
        {"not RIFF", QByteArray("RIFX") + Le(40, 4) + "WAVE" + fmt + data},
        {"RIFF but not WAVE", QByteArray("RIFF") + Le(40, 4) + "AVI " + fmt + data},
        {"no data chunk", Riff(fmt)},
        {"no format chunk", Riff(data)},
        {"data before format", Riff(data + fmt)},
        {"compressed format", Riff(Fmt(2, 1, 22050, 4, 256) + data)},
        {"no channels", Riff(Fmt(1, 0, 22050, 16, 2) + data)},
        {"six channels", Riff(Fmt(1, 6, 22050, 16) + data)},
        {"zero rate", Riff(Fmt(1, 1, 0, 16) + data)},
        {"12 bit samples", Riff(Fmt(1, 1, 22050, 12, 2) + data)},
        {"block size wrong", Riff(Fmt(1, 2, 22050, 16, 2) + data)},
        {"format chunk too short", Riff(Chunk("fmt ", Le(1, 2) + Le(1, 2)) + data)},
        {"data runs past the end", pastEnd},
        {"chunk size near 4 GB", hugeChunk},
        {"truncated chunk header", Riff(fmt).append("da", 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(ReadWaveFormat(c.file).has_value());
    }
}
