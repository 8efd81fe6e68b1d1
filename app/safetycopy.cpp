#include "safetycopy.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

SafetyCopy writeSafetyCopy(const QString &path, QString *error)
{
    // Checked on the mode bits, not access(): a read-only file stays untouched
    // whoever runs the editor.
    const QFile::Permissions writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (!(QFileInfo(path).permissions() & writable))
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
    QSaveFile copy(path + QStringLiteral(".bak"));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size() || !copy.flush() || !copy.commit()) {
        *error = copy.errorString();
        return SafetyCopy::Failed;
    }
    return SafetyCopy::Written;
}
