#include "flashpresetcodec.h"

#include "externaltool.h"

namespace ostrel {

FlashPresetCodec makeFlashPresetCodec(LoadedDatabase &db, PresetColumns &columns,
                                      ExternalTool &tool)
{
    FlashPresetCodec codec;
    codec.unpackAndParse = [&db, &columns, &tool](const QByteArray &packed) {
        QByteArray image;
        if (!tool.unpack(packed, image))
            return false;
        parsePreset(image, db, columns);
        return true;
    };
    codec.buildAndPack = [&columns, &tool](const RecordList &satellites,
                                           const RecordList &transponders,
                                           const RecordList &programmes, QByteArray &packed) {
        QByteArray image;
        return buildPreset(satellites, transponders, programmes, columns, image)
            && tool.pack(image, packed);
    };
    codec.errorString = [&tool] { return tool.errorString(); };
    return codec;
}

} // namespace ostrel
