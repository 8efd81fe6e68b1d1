#include "hugepageheap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace {

// glibc's documented default for M_TOP_PAD.
constexpr int DefaultTopPad = 128 * 1024;
constexpr int GrowthStep = 32 << 20;

char *heapEnd()
{
    return static_cast<char *>(sbrk(0));
}

} // namespace

HugePageHeap::HugePageHeap()
    : m_end(heapEnd())
{
    mallopt(M_TOP_PAD, GrowthStep);
}

HugePageHeap::~HugePageHeap()
{
    advise();
    mallopt(M_TOP_PAD, DefaultTopPad);
}

void HugePageHeap::advise()
{
    char *end = heapEnd();
    if (end == reinterpret_cast<char *>(-1) || end <= m_end)
        return;
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    char *start = reinterpret_cast<char *>((reinterpret_cast<uintptr_t>(m_end) + page - 1) & ~(page - 1));
    if (end > start)
        madvise(start, size_t(end - start), MADV_HUGEPAGE); // advice only: failing changes nothing
    m_end = end;
}
