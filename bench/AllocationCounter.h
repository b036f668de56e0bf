// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>

// Counts heap allocations (Qt's containers included: they call malloc directly), so a benchmark
// shows what a pass allocates. glibc's own entry points do the work. Include it from exactly one
// file of a benchmark program: it replaces the program's malloc, calloc and realloc.

static std::atomic<long> s_allocations{0};

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);

void* malloc(std::size_t size)
{
    ++s_allocations;
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size)
{
    ++s_allocations;
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size)
{
    ++s_allocations;
    return __libc_realloc(p, size);
}
}
