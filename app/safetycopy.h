#pragma once

#include <QString>

/**
 * Copies path to path + ".bak" before the first save over it, replacing an
 * older copy. The copy is written whole or not at all.
 */
enum class SafetyCopy { Written,
                        ReadOnly,
                        Failed };
SafetyCopy writeSafetyCopy(const QString &path, QString *error);
