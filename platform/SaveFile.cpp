#include "platform/SaveFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <unistd.h>

namespace {

bool Fail(QSaveFile& file, QString* error)
{
    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
}

bool TemporaryName(const QString& name, const QString& target)
{
    if (name.size() != target.size() + 7 || !name.startsWith(target + QLatin1Char('.')))
        return false;
    const QStringView suffix = QStringView(name).right(6);
    return std::all_of(suffix.begin(), suffix.end(), [](QChar c) {
        return c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    });
}

} // namespace

bool SaveWholeFile(const QString& fileName, QByteArrayView bytes, QString* error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return Fail(file, error);
    // The file buffers what is written, and commit() renames even when the
    // last buffer could not be written out: every step is checked here.
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError)
        return Fail(file, error);
    // What the disk can still refuse (space on a device that allocates late).
    if (::fsync(file.handle()) != 0) return Fail(file, error);
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

int RemoveStaleSaveFiles(const QString& fileName, std::chrono::seconds olderThan)
{
    const QFileInfo target(fileName);
    const QString name = target.fileName();
    if (name.isEmpty()) return 0;
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-olderThan.count());
    QDir dir = target.absoluteDir();
    int removed = 0;
    const QFileInfoList candidates =
        dir.entryInfoList({name + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : candidates) {
        if (info.isSymLink() || !TemporaryName(info.fileName(), name)) continue;
        if (info.lastModified().toUTC() > before) continue;
        if (dir.remove(info.fileName())) ++removed;
    }
    return removed;
}
