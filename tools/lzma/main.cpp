// tavrin-lzma e IN OUT | tavrin-lzma d IN OUT
// Packs or unpacks one file in the LZMA-alone format. OUT appears only when
// the whole run succeeded; on failure a message goes to stderr and the exit
// status is non-zero.

#include "lzmaalone.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int fail(const std::string &message)
{
    std::fprintf(stderr, "tavrin-lzma: %s\n", message.c_str());
    return 1;
}

std::string systemError(const std::string &what, const std::string &path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

bool readFile(const std::string &path, lzmaalone::Bytes &data, std::string &error)
{
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = systemError("cannot open", path);
        return false;
    }
    data.clear();
    unsigned char chunk[1 << 16];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        data.insert(data.end(), chunk, chunk + n);
    const bool ok = !std::ferror(f);
    if (!ok)
        error = systemError("cannot read", path);
    std::fclose(f);
    return ok;
}

// Writes a temporary file beside path and renames it into place, so that a
// reader never sees a partial OUT.
bool writeFileAtomically(const std::string &path, const lzmaalone::Bytes &data,
                         std::string &error)
{
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(&temp[0]);
    if (fd < 0) {
        error = systemError("cannot create", path);
        return false;
    }
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = systemError("cannot write", path);
            close(fd);
            unlink(temp.c_str());
            return false;
        }
        done += size_t(n);
    }
    // mkstemp creates 0600; give OUT the permissions a plain create would.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    if (close(fd) != 0 || std::rename(temp.c_str(), path.c_str()) != 0) {
        error = systemError("cannot write", path);
        unlink(temp.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "e") != 0 && std::strcmp(argv[1], "d") != 0)) {
        std::fprintf(stderr, "usage: tavrin-lzma e|d IN OUT\n");
        return 2;
    }
    const bool encode = argv[1][0] == 'e';
    const std::string in = argv[2];
    const std::string out = argv[3];

    std::string error;
    lzmaalone::Bytes input;
    if (!readFile(in, input, error))
        return fail(error);
    lzmaalone::Bytes output;
    const bool ok = encode ? lzmaalone::encode(input, output, error)
                           : lzmaalone::decode(input, output, error);
    if (!ok)
        return fail(in + ": " + error);
    if (!writeFileAtomically(out, output, error))
        return fail(error);
    return 0;
}
