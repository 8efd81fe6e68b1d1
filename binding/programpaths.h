#pragma once

#include <QString>

// The folder of the running program, with or without an application object.
QString programDir();
