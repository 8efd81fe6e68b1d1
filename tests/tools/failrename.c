// Test helper, preloaded into a program that saves: a rename onto a file
// named $TAVRIN_TEST_FAIL_RENAME fails with EACCES, as when the system
// refuses the last step of a save. Every other rename goes through.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>

static int refused(const char *target)
{
    const char *name = getenv("TAVRIN_TEST_FAIL_RENAME");
    if (!name || !*name || !target)
        return 0;
    const char *slash = strrchr(target, '/');
    if (strcmp(slash ? slash + 1 : target, name) != 0)
        return 0;
    errno = EACCES;
    return 1;
}

typedef int (*RenameFn)(const char *, const char *);
typedef int (*RenameAtFn)(int, const char *, int, const char *);
typedef int (*RenameAt2Fn)(int, const char *, int, const char *, unsigned int);

int rename(const char *from, const char *to)
{
    return refused(to) ? -1 : ((RenameFn)dlsym(RTLD_NEXT, "rename"))(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    return refused(to) ? -1 : ((RenameAtFn)dlsym(RTLD_NEXT, "renameat"))(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned int flags)
{
    return refused(to) ? -1 : ((RenameAt2Fn)dlsym(RTLD_NEXT, "renameat2"))(fromDir, from, toDir, to, flags);
}
