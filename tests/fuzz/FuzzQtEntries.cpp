#include "FuzzEntries.h"

#include "platform/IniFile.h"
#include "platform/Jpeg.h"
#include "platform/RtfReader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>

#include <array>
#include <cstdlib>
#include <memory>

namespace {

// Documents need a GUI application (fonts); a test program has its own.
void EnsureApplication()
{
    if (QCoreApplication::instance()) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "velmora_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

std::string ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool WriteFile(const QString& path, std::string_view bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

} // namespace

std::string FuzzRtf(std::string_view bytes, FuzzDepth)
{
    EnsureApplication();
    QTextDocument doc;
    ReadRtf(bytes, doc);
    const QString plain = RtfPlainText(doc.toPlainText());
    // The breaks the reader added lie inside the text, in order.
    const QList<int> breaks = doc.property(RtfInsertedBreaksProperty).value<QList<int>>();
    const int length = doc.characterCount();
    for (qsizetype i = 0; i < breaks.size(); ++i) {
        if (breaks[i] < 0 || breaks[i] >= length || (i > 0 && breaks[i] <= breaks[i - 1]))
            return "inserted break " + std::to_string(breaks[i]) + " out of place";
    }
    (void)plain;
    return {};
}

std::string FuzzIni(std::string_view bytes, FuzzDepth)
{
    EnsureApplication();
    static const std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
    const QString path = dir->filePath("velmora.ini");
    if (!WriteFile(path, bytes)) return "test file not written";

    // Read and written back unchanged: the same bytes.
    {
        const TMemIniFile ini(path);
        if (!ini.UpdateFile()) return "unchanged file not written";
        if (ReadFile(path) != bytes) return "unchanged file not written back byte for byte";
        std::string problem = FollowStoredLine(ini.ReadString("Game", "Node", ""));
        if (!problem.empty()) return problem;
    }

    // Changed, written and read again: the values written, and the others as they were.
    struct Entry {
        const char* Section;
        const char* Key;
        std::string Value;
    };
    const std::array<Entry, 4> written{{
        {"Game", "File", "/tmp/a b=c;d.pgn"},
        {"Layout", "List", "-42"},
        {"game", "Node", "0A1B"},
        {"New Section", "Flag", "1"},
    }};
    const std::array<std::pair<const char*, const char*>, 3> kept{
        {{"Config", "SkipIntro"}, {"Recent", "File1"}, {"Layout", "Board"}}};
    TMemIniFile ini(path);
    std::array<std::string, kept.size()> before;
    for (std::size_t i = 0; i < kept.size(); ++i)
        before[i] = ini.ReadString(kept[i].first, kept[i].second, "\x01none");
    for (const Entry& e : written)
        ini.WriteString(e.Section, e.Key, e.Value);
    if (!ini.UpdateFile()) return "changed file not written";

    const TMemIniFile again(path);
    for (const Entry& e : written) {
        const std::string got = again.ReadString(e.Section, e.Key, "\x01none");
        if (got != e.Value)
            return std::string("[") + e.Section + "] " + e.Key + " reads back as \"" + got + "\"";
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (again.ReadString(kept[i].first, kept[i].second, "\x01none") != before[i])
            return std::string("[") + kept[i].first + "] " + kept[i].second + " changed";
    }
    if (again.Text() != ini.Text()) return "written text reads back differently";
    return {};
}

std::string FuzzJpeg(std::string_view bytes, FuzzDepth)
{
    const QImage image =
        DecodeJpeg(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (image.isNull()) return {};
    if (image.width() > JpegMaxSide || image.height() > JpegMaxSide ||
        std::int64_t{image.width()} * image.height() > JpegMaxPixels)
        return "picture beyond the limits decoded";
    if (std::int64_t{image.width()} * image.height() >
        JpegMaxPixelsPerByte * static_cast<std::int64_t>(bytes.size()))
        return "picture larger than its data decoded";
    if (image.format() != QImage::Format_RGB32) return "decoded picture not RGB32";
    // A small picture encodes and decodes again at its size.
    if (image.width() * image.height() <= 4096) {
        const QImage again = DecodeJpeg(EncodeJpeg(image));
        if (again.size() != image.size()) return "re-encoded picture changed its size";
    }
    return {};
}

std::span<const FuzzTarget> QtFuzzTargets()
{
    static constexpr std::array<FuzzTarget, 3> Targets{{
        {"rtf", FuzzRtf},
        {"ini", FuzzIni},
        {"jpeg", FuzzJpeg},
    }};
    return Targets;
}
