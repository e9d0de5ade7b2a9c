// Pictures and documents that tests make for a look by eye. They are kept in
// the folder VELMORA_TEST_SHOTS names (made if missing); without it they are
// not kept, and documents a test must read back go to its temporary folder.
#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

// The folder named by VELMORA_TEST_SHOTS, or empty.
inline QString ShotDir()
{
    const QString dir = qEnvironmentVariable("VELMORA_TEST_SHOTS");
    if (!dir.isEmpty()) QDir().mkpath(dir);
    return dir;
}

// Where a document named name goes: the shot folder, else the test's own.
inline QString ShotPath(const QTemporaryDir& temporary, const QString& name)
{
    const QString dir = ShotDir();
    return dir.isEmpty() ? temporary.filePath(name) : dir + "/" + name;
}

// Keeps a picture in the shot folder, if there is one.
inline void KeepShot(const QImage& picture, const QString& name)
{
    const QString dir = ShotDir();
    if (!dir.isEmpty()) picture.save(dir + "/" + name);
}
