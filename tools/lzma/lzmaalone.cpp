#include "lzmaalone.h"

#include <lzma.h>

#include <algorithm>

namespace lzmaalone {

namespace {

constexpr uint64_t UnknownSize = UINT64_MAX;
constexpr uint32_t MinDictionary = 1u << 12;
constexpr uint32_t MaxDictionary = 1u << 23;

// A dictionary larger than the data only costs the receiver memory.
uint32_t dictionaryFor(size_t size)
{
    uint32_t dict = MinDictionary;
    while (dict < size && dict < MaxDictionary)
        dict <<= 1;
    return dict;
}

std::string describe(lzma_ret ret)
{
    switch (ret) {
    case LZMA_MEM_ERROR:
        return "out of memory";
    case LZMA_OPTIONS_ERROR:
        return "unsupported stream properties";
    case LZMA_DATA_ERROR:
        return "corrupt data";
    case LZMA_BUF_ERROR:
        return "data ends before the stream does";
    case LZMA_PROG_ERROR:
        return "bad stream header";
    default:
        return "liblzma error " + std::to_string(int(ret));
    }
}

// Runs the coder over all of in, appending to out, until the stream ends.
bool runCoder(lzma_stream &strm, const uint8_t *in, size_t inSize, Bytes &out,
              std::string &error)
{
    strm.next_in = in;
    strm.avail_in = inSize;
    uint8_t chunk[1 << 16];
    for (;;) {
        strm.next_out = chunk;
        strm.avail_out = sizeof chunk;
        const lzma_ret ret = lzma_code(&strm, LZMA_FINISH);
        out.insert(out.end(), chunk, chunk + (sizeof chunk - strm.avail_out));
        if (ret == LZMA_STREAM_END)
            return true;
        if (ret != LZMA_OK) {
            error = describe(ret);
            return false;
        }
        // LZMA_FINISH with all input consumed and no progress means a cut stream.
        if (strm.avail_in == 0 && strm.avail_out == sizeof chunk) {
            error = describe(LZMA_BUF_ERROR);
            return false;
        }
    }
}

} // namespace

bool encode(const Bytes &in, Bytes &out, std::string &error)
{
    lzma_options_lzma options;
    if (lzma_lzma_preset(&options, 6)) {
        error = "no encoder preset";
        return false;
    }
    options.dict_size = dictionaryFor(in.size());
    options.ext_flags = 0; // no end marker: the header carries the size
    lzma_filter filters[] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};

    lzma_stream strm = LZMA_STREAM_INIT;
    lzma_ret ret = lzma_raw_encoder(&strm, filters);
    if (ret != LZMA_OK) {
        error = describe(ret);
        return false;
    }

    out.clear();
    out.push_back(uint8_t((options.pb * 5 + options.lp) * 9 + options.lc));
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(options.dict_size >> (8 * i)));
    const uint64_t size = in.size();
    for (int i = 0; i < 8; ++i)
        out.push_back(uint8_t(size >> (8 * i)));

    const bool ok = runCoder(strm, in.data(), in.size(), out, error);
    lzma_end(&strm);
    return ok;
}

bool decode(const Bytes &in, Bytes &out, std::string &error)
{
    if (in.size() < HeaderSize) {
        error = "shorter than the 13-byte header";
        return false;
    }
    const uint8_t props = in[0];
    if (props >= 9 * 5 * 5) {
        error = "bad properties byte";
        return false;
    }
    uint32_t dict = 0;
    for (int i = 0; i < 4; ++i)
        dict |= uint32_t(in[1 + i]) << (8 * i);
    uint64_t size = 0;
    for (int i = 0; i < 8; ++i)
        size |= uint64_t(in[5 + i]) << (8 * i);

    lzma_options_lzma options{};
    options.lc = props % 9;
    options.lp = (props / 9) % 5;
    options.pb = props / 45;
    if (options.lc + options.lp > LZMA_LCLP_MAX) {
        error = "unsupported properties byte";
        return false;
    }
    // A stream of known size never refers further back than its own length,
    // so a huge dictionary in a small file's header allocates nothing big.
    uint64_t dictNeeded = std::max<uint64_t>(dict, MinDictionary);
    if (size != UnknownSize)
        dictNeeded = std::min<uint64_t>(dictNeeded, std::max<uint64_t>(size, MinDictionary));
    options.dict_size = uint32_t(dictNeeded);
    options.ext_flags = LZMA_LZMA1EXT_ALLOW_EOPM;
    options.ext_size_low = uint32_t(size);
    options.ext_size_high = uint32_t(size >> 32);
    lzma_filter filters[] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};

    lzma_stream strm = LZMA_STREAM_INIT;
    const lzma_ret ret = lzma_raw_decoder(&strm, filters);
    if (ret != LZMA_OK) {
        error = describe(ret);
        return false;
    }
    out.clear();
    const bool ok = runCoder(strm, in.data() + HeaderSize, in.size() - HeaderSize, out, error);
    lzma_end(&strm);
    if (ok && size != UnknownSize && out.size() != size) {
        error = "stream size differs from the header";
        return false;
    }
    return ok;
}

} // namespace lzmaalone
