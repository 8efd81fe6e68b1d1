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
    // sbrk reports failure as (void *)-1.
    if (reinterpret_cast<intptr_t>(end) == -1 || end <= m_end)
        return;
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    // madvise wants a page-aligned start: the first page boundary at or after m_end.
    char *start = m_end + (page - reinterpret_cast<uintptr_t>(m_end) % page) % page;
    if (end > start)
        madvise(start, size_t(end - start), MADV_HUGEPAGE); // advice only: failing changes nothing
    m_end = end;
}
