// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A process whose main thread ends with pthread_exit while a worker thread runs on: the main
// thread then reads as a zombie in /proc/<pid>/stat although the process is alive. The worker
// wakes every 10 ms (it spins without burning a core) until the process is killed.

#include <pthread.h>
#include <time.h>

namespace {

void* work(void*)
{
    for (;;) {
        timespec pause{0, 10 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    return nullptr;
}

} // namespace

int main()
{
    pthread_t worker;
    if (pthread_create(&worker, nullptr, work, nullptr) != 0)
        return 1;
    pthread_exit(nullptr);
}
