// Saving a whole file where the file system's sync fails: an error that says
// only that it cannot sync is no failure, one that says the data may not be
// on the disk is, and leaves the old file as it was.
#include "platform/SaveFile.h"
#include "tests/support/FailingCalls.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

TEST(SaveWholeFile, OnlyASyncThatMayHaveLostTheDataFailsTheSave)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("velmora.ini");
    const QByteArray path = QFile::encodeName(name);
    for (const int error : {EINVAL, ENOTSUP, EOPNOTSUPP, EIO, ENOSPC, EDQUOT}) {
        SCOPED_TRACE(std::strerror(error));
        const bool saved = error != EIO && error != ENOSPC && error != EDQUOT;
        QFile::remove(name);
        ASSERT_TRUE(SaveWholeFile(name, "old"));
        ASSERT_EQ(::chmod(path.constData(), 0640), 0);
        FailNextFsync(error);
        EXPECT_EQ(SaveWholeFile(name, "new"), saved);
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), saved ? "new" : "old");
        struct stat info {};
        EXPECT_EQ(::stat(path.constData(), &info) == 0 ? info.st_mode & 07777 : 0, 0640u);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"velmora.ini"});
    }
}
