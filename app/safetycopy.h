#pragma once

#include <QString>

/**
 * Copies path to path + ".bak" before the first save over it, unless that
 * copy exists: it then holds an older state, most likely the receiver's
 * original, which an edited version must never replace. The copy is written
 * whole or not at all.
 */
enum class SafetyCopy { Written,
                        Kept,
                        ReadOnly,
                        Failed };
SafetyCopy writeSafetyCopy(const QString &path, QString *error);
