#include "safetycopy.h"

#include "savefile.h"

#include <QFile>
#include <QFileInfo>

SafetyCopy writeSafetyCopy(const QString &path, QString *error)
{
    const QString copy = path + QStringLiteral(".bak");
    if (QFileInfo(copy).isFile())
        return SafetyCopy::Kept;
    // Checked on the mode bits, not access(): a read-only file stays untouched
    // whoever runs the editor.
    // A file that is gone has no mode bits either; reading it below names why.
    const QFile::Permissions writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    const QFileInfo info(path);
    if (info.exists() && !(info.permissions() & writable))
        return SafetyCopy::ReadOnly;

    QFile original(path);
    if (!original.open(QIODevice::ReadOnly)) {
        *error = original.errorString();
        return SafetyCopy::Failed;
    }
    const QByteArray bytes = original.readAll();
    if (original.error() != QFileDevice::NoError) {
        *error = original.errorString();
        return SafetyCopy::Failed;
    }
    if (!ostrel::saveFileAtomically(copy, bytes, error))
        return SafetyCopy::Failed;
    return SafetyCopy::Written;
}
