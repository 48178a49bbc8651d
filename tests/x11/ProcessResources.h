#pragma once

#include <cstddef>

// What a process holds, to see that repeated open/close cycles give everything back.

// Heap bytes in use: the sanitizer's count under AddressSanitizer, else glibc's (small and
// mmapped blocks together).
size_t heapBytesInUse();
// How far heapBytesInUse may move with nothing lost. The sanitizer counts exactly, and so does
// glibc with its per-thread caches turned off (GLIBC_TUNABLES=glibc.malloc.tcache_count=0, as
// ctest runs these tests); with them on it counts the blocks they hold back as in use, some
// kilobytes that come and go.
size_t heapMeasurementSlack();
// Open file descriptors (an X connection is one).
int openFileDescriptors();
// System V shared memory segments created by this process (cairo passes images to the X
// server through them).
int sharedMemorySegments();
// Under LeakSanitizer: runs a leak check now and answers whether it found unreachable blocks.
// Elsewhere false.
bool leakSanitizerFoundLeaks();
bool leakSanitizerActive();
