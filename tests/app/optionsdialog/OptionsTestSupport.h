// What the options tests share: a settings file in a temporary folder, the
// scripted dialog service, the embedded fonts, and the option sections of a
// first start.
#pragma once

#include "platform/Dialogs.h"
#include "tests/app/ScopedSettingsFile.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>

// The option sections that the first start writes, byte for byte.
extern const std::string FirstStartOptionSections;

class OptionsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The settings file's bytes; empty when there is none.
    static std::string FileText();
    static void WriteFile(const std::string& text);
    // Removes the settings file, or whatever stands in its place.
    static void RemoveFile();

    ScopedSettingsFile settingsFile;
    ScriptedDialogService dialogs;
};
