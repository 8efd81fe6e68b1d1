#pragma once
// Building a whole database's nodes grows the heap by tens of megabytes in small
// allocations, and the first touch of every 4 KB page is a fault. While one of
// these lives, the heap grows in large steps and each new stretch is offered
// huge pages (as glibc itself does when started with glibc.malloc.hugetlb=1).

#include <cstddef>

class HugePageHeap
{
public:
    HugePageHeap();
    ~HugePageHeap();
    HugePageHeap(const HugePageHeap &) = delete;
    HugePageHeap &operator=(const HugePageHeap &) = delete;

    // Advises the stretch the heap grew by since the last call; cheap enough
    // to call every few dozen allocations.
    void advise();

private:
    char *m_end;
};
