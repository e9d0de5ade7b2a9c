#include "platform/SaveFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Between the target's name and the random part: a name no user would give
// a file, so that the clean-up can never take one of the user's own.
constexpr QLatin1String TemporaryMarker{".velmora-tmp-"};
constexpr int RandomLength = 6;
constexpr std::string_view RandomLetters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

bool RandomLetter(QChar c)
{
    return c.unicode() < 128 &&
           RandomLetters.find(static_cast<char>(c.unicode())) != std::string_view::npos;
}

QString RandomPart()
{
    QString part;
    for (int i = 0; i < RandomLength; ++i)
        part += QLatin1Char(RandomLetters[QRandomGenerator::global()->bounded(
            static_cast<quint32>(RandomLetters.size()))]);
    return part;
}

bool TemporaryName(const QString& name, const QString& target)
{
    const QString prefix = target + TemporaryMarker;
    if (name.size() != prefix.size() + RandomLength || !name.startsWith(prefix)) return false;
    const QStringView random = QStringView(name).right(RandomLength);
    return std::all_of(random.begin(), random.end(), RandomLetter);
}

// The file a name stands for: symbolic links followed.
QString ResolvedName(const QString& fileName)
{
    QFileInfo info(fileName);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? fileName : info.filePath();
}

} // namespace

ReplacementFile::ReplacementFile(const QString& fileName) : target_(ResolvedName(fileName))
{
    const QByteArray target = QFile::encodeName(target_);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        Fail(EISDIR);
        return;
    }
    // A file the user keeps from being written is not replaced either.
    if (exists && ::access(target.constData(), W_OK) != 0) {
        Fail(errno);
        return;
    }
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = target_ + TemporaryMarker + RandomPart();
        fd_ = ::open(QFile::encodeName(temporary_).constData(),
                     O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        Fail(errno);
        temporary_.clear();
        return;
    }
    if (exists && ::fchmod(fd_, old.st_mode & 07777) != 0) {
        Fail(errno);
        ::close(fd_);
        fd_ = -1;
    }
}

ReplacementFile::~ReplacementFile()
{
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temporary_.isEmpty()) ::unlink(QFile::encodeName(temporary_).constData());
}

bool ReplacementFile::Fail(int error)
{
    error_ = qt_error_string(error);
    return false;
}

bool ReplacementFile::Write(QByteArrayView bytes)
{
    if (fd_ < 0) return false;
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return Fail(written < 0 ? errno : EIO);
        data += written;
        left -= written;
    }
    return true;
}

bool ReplacementFile::Commit()
{
    if (fd_ < 0 || committed_) return false;
    // What the disk can still refuse (space on a device that allocates late).
    if (!SyncToDisk(fd_)) return Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    // A network file system may report a failed write only here.
    if (::close(fd) != 0 && errno != EINTR) return Fail(errno);
    if (::rename(QFile::encodeName(temporary_).constData(),
                 QFile::encodeName(target_).constData()) != 0)
        return Fail(errno);
    committed_ = true;
    return true;
}

bool SyncToDisk(int fd)
{
    int result = 0;
    do
        result = ::fsync(fd);
    while (result != 0 && errno == EINTR);
    if (result == 0) return true;
    // These say only that the file system does not sync (some network and
    // user-space file systems): the data went where it could.
    const int error = errno;
    return error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS;
}

bool SaveWholeFile(const QString& fileName, QByteArrayView bytes, QString* error)
{
    ReplacementFile file(fileName);
    if (file.Write(bytes) && file.Commit()) return true;
    if (error) *error = file.ErrorString();
    return false;
}

int RemoveStaleSaveFiles(const QString& fileName, std::chrono::seconds olderThan)
{
    const QFileInfo target(fileName);
    const QString name = target.fileName();
    if (name.isEmpty()) return 0;
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-olderThan.count());
    QDir dir = target.absoluteDir();
    int removed = 0;
    const QFileInfoList candidates = dir.entryInfoList(
        {name + TemporaryMarker + QStringLiteral("*")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : candidates) {
        if (info.isSymLink() || !TemporaryName(info.fileName(), name)) continue;
        if (info.lastModified().toUTC() > before) continue;
        if (dir.remove(info.fileName())) ++removed;
    }
    return removed;
}
