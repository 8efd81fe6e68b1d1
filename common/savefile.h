#pragma once
// The one way the programs write a file. The bytes go to a temporary file
// beside the target, which replaces the target only once every byte has
// reached the disk, so a failed or interrupted save never leaves the user's
// file truncated.

#include <QByteArray>
#include <QString>

namespace ostrel {

// Writes bytes to path. On failure returns false, leaves the old file as it
// was and no temporary file behind, and sets errorString to "PATH: reason"
// with the system's reason ("No space left on device", "File too large").
bool saveFileAtomically(const QString &path, const QByteArray &bytes,
                        QString *errorString = nullptr);

} // namespace ostrel
