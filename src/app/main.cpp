#include "zellapp.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

int main(int argc, char** argv)
{
#if defined(__GLIBC__)
    // Every thread that allocates would get an arena of its own, each
    // reserving 64 MiB of address space: under a limit on the address space
    // (ulimit -v) that is room the largest maps and their undo steps need.
    // Two arenas are plenty for the editor's few worker threads.
    mallopt(M_ARENA_MAX, 2);
#endif
    return AfxWinMain(theApp, argc, argv);
}
