// Writing a whole file so that a failed write loses nothing: the bytes go to
// a temporary file beside the target, "<name>.velmora-tmp-XXXXXX", which
// replaces the target only once every byte is written and on the disk. A
// full disk, a file-size limit or an error of the device leaves the old file
// as it was and no temporary file behind. The new file keeps the old one's
// permissions (a new one gets 0666 less the umask); a symbolic link is
// followed, so the file it names is replaced.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <chrono>

// A new version of a file, made beside it under a temporary name that no
// user would give a file, and put in its place by Commit. Until then, and
// when any step fails, the target stays as it was; the temporary file goes
// with the object unless it was committed.
class ReplacementFile {
public:
    explicit ReplacementFile(const QString& fileName);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // The temporary file is made and open (for reading and writing).
    bool IsOpen() const { return fd_ >= 0; }
    const QString& TemporaryName() const { return temporary_; }
    int Handle() const { return fd_; }
    // Appends bytes; false when not all of them were written.
    bool Write(QByteArrayView bytes);
    // Syncs the file to the disk, closes it and renames it over the target.
    bool Commit();
    // Why the last step failed.
    const QString& ErrorString() const { return error_; }

private:
    bool Fail(int error);

    QString target_;
    QString temporary_;
    QString error_;
    int fd_ = -1;
    bool committed_ = false;
};

// Replaces fileName by bytes; false when it could not be written (error,
// when given, gets the reason).
bool SaveWholeFile(const QString& fileName, QByteArrayView bytes, QString* error = nullptr);

// Waits until what was written to fd is on the disk. A file system that
// cannot sync (EINVAL, ENOTSUP and the like) is no failure; an error that
// means the data may not be on the disk (EIO, ENOSPC, EDQUOT ...) is, with
// errno set.
bool SyncToDisk(int fd);

// Removes the temporary files that a write of fileName left when the
// program was killed before it could rename them ("<name>.velmora-tmp-"
// and six letters or digits, in the same folder), not changed for
// olderThan, so that the write of another running copy is left alone.
// Nothing else is touched. Returns how many went.
int RemoveStaleSaveFiles(const QString& fileName, std::chrono::seconds olderThan);
