// Holds the instance lock for a caption until its standard input closes, so tests can see a lock
// held by another process, and what is left after that process is killed.
#include "InstanceLock.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DIRECTORY CAPTION\n", argv[0]);
        return 2;
    }
    InstanceLock lock;
    const InstanceLock::Result result =
        lock.acquire(QString::fromLocal8Bit(argv[1]), QString::fromUtf8(argv[2]));
    switch (result) {
    case InstanceLock::Result::Acquired:
        std::puts("LOCKED");
        break;
    case InstanceLock::Result::AlreadyRunning:
        std::puts("RUNNING");
        break;
    case InstanceLock::Result::Failed:
        std::puts("FAILED");
        break;
    }
    std::fflush(stdout);
    if (result != InstanceLock::Result::Acquired) {
        return 1;
    }
    char c = 0;
    while (::read(STDIN_FILENO, &c, 1) > 0) { }
    return 0;
}
