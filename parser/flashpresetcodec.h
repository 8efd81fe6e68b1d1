#pragma once
// The preset codec a flash image uses in the library: the preset format of
// presetdata.h packed by the lzma tool.

#include "flashimage.h"
#include "presetdata.h"

namespace ostrel {

class ExternalTool;

// db, columns and tool must outlive the codec. Unpacking fills db and columns;
// building reads columns.
FlashPresetCodec makeFlashPresetCodec(LoadedDatabase &db, PresetColumns &columns,
                                      ExternalTool &tool);

} // namespace ostrel
