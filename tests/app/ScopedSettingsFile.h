// The program's settings file in a temporary folder of its own while this
// lives, never beside the test program.
#pragma once

#include "app/SettingsFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class ScopedSettingsFile {
public:
    ScopedSettingsFile()
    {
        EXPECT_TRUE(dir_.isValid()) << "no temporary folder for the settings file";
        SetSettingsFileName(dir_.isValid() ? dir_.filePath(QStringLiteral("velmora.ini"))
                                           : QStringLiteral("/nonexistent/velmora.ini"));
    }
    ~ScopedSettingsFile() { SetSettingsFileName({}); }
    ScopedSettingsFile(const ScopedSettingsFile&) = delete;
    ScopedSettingsFile& operator=(const ScopedSettingsFile&) = delete;

private:
    QTemporaryDir dir_;
};
