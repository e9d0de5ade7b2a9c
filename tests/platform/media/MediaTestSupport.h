// Shared helpers of the media tests.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Creates the application object once for the whole run (offscreen).
void EnsureGuiApplication();

// The bytes of a file or resource; empty when it cannot be read.
QByteArray ReadBytes(const QString& path);

// The 16-bit samples of a PCM WAVE file (empty when it is no such file).
std::vector<int> WaveSamples(const QByteArray& wave);
