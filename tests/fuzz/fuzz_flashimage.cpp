// The flash-image block-table reader on hostile bytes. The preset codec is a
// stub, so nothing leaves the process. An image that reads gets a new preset
// block as a save would, and the laid-out image must read again with the new
// block, and with every table, checksum and alignment in order when it was so.

#include "fuzzharness.h"

#include "flashimage.h"
#include "test_flashhelpers.h"

using namespace ostrel;

const char *fuzzOne(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    FlashImage image;
    if (!image.parse(bytes))
        return image.errorString().isEmpty() ? "a refused image gave no reason" : nullptr;
    if (image.presetEntry() < 0)
        return nullptr;

    // What a load hands to the codec, then a preset of another length, as a save brings.
    flashtest::StubCodec stub;
    const QByteArray block = image.entries()[size_t(image.presetEntry())].block;
    if (!stub.codec().unpackAndParse(block))
        return "the stub codec refused a block";
    // No table marker in it: packed data that held one would read as a table again.
    QByteArray packed = block.isEmpty() ? QByteArray(17, 'p') : block + block.left(int(size % 97));
    packed.replace('*', '+');
    if (!image.replacePresetBlock(packed))
        return nullptr; // a block that no longer fits fails the save, as it should

    // Overlaps or stale checksums the input already had are not the writer's doing.
    if (flashtest::inconsistency(bytes).isEmpty() && !flashtest::inconsistency(image.image()).isEmpty())
        return "a laid-out image is inconsistent";
    FlashImage reread;
    if (!reread.parse(image.image()) || reread.presetEntry() < 0)
        return "a laid-out image lost its preset block";
    if (reread.entries()[size_t(reread.presetEntry())].block != packed)
        return "a laid-out image does not hold the new preset";
    if (reread.entries().size() != image.entries().size())
        return "a laid-out image holds another number of blocks";
    return nullptr;
}
