#pragma once
// The classic LZMA-alone container: a 13-byte header (properties byte,
// little-endian dictionary size and uncompressed size) and one LZMA1 stream.

#include <cstdint>
#include <string>
#include <vector>

namespace lzmaalone {

using Bytes = std::vector<uint8_t>;

enum : int { HeaderSize = 13 };

// Packs with the real size in the header and no end marker, as a receiver's
// decoder that insists on a known size expects.
bool encode(const Bytes &in, Bytes &out, std::string &error);

// Unpacks a stream of known size (with or without end marker) or of unknown
// size ended by the marker. Bytes after the stream are ignored.
bool decode(const Bytes &in, Bytes &out, std::string &error);

} // namespace lzmaalone
