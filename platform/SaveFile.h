// Writing a whole file so that a failed write loses nothing: the bytes go to
// a temporary file beside the target, which replaces the target only once
// every byte is written and on the disk. A full disk, a file-size limit or
// an error of the device leaves the old file as it was and no temporary
// file behind.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <chrono>

// Replaces fileName by bytes; false when it could not be written (error,
// when given, gets the reason).
bool SaveWholeFile(const QString& fileName, QByteArrayView bytes, QString* error = nullptr);

// Removes the temporary files that a write of fileName left when the
// program was killed before it could rename them: "<name>.XXXXXX" in the
// same folder (six letters or digits), not changed for olderThan, so that
// the write of another running copy is left alone. Returns how many went.
int RemoveStaleSaveFiles(const QString& fileName, std::chrono::seconds olderThan);
