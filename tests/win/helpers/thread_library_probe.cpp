// Checks the exe's own thread functions (app/ThreadLibrary.cpp), linked in here as in the exe:
// exceptions thrown and caught on several threads at once each see their own, a statically
// initialised mutex excludes, a once-routine runs once, and a key's destructor runs at the end
// of exactly the threads that left a value in it. Threads are started with CreateThread: the
// thread library that std::thread needs is the one this replaces. Prints each failure; the
// exit code is their number.
#include <windows.h>

#include <pthread.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 2000;

pthread_mutex_t counterLock = PTHREAD_MUTEX_INITIALIZER;
long counter = 0;
pthread_once_t once = PTHREAD_ONCE_INIT;
volatile long onceRuns = 0;
pthread_key_t key;
volatile long destructorRuns = 0;
volatile long wrongCatches = 0;

void CountOnceRun() {
    InterlockedIncrement(&onceRuns);
    Sleep(20); // the other threads arrive while it runs
}

void CountDestructorRun(void*) { InterlockedIncrement(&destructorRuns); }

DWORD WINAPI Work(void* parameter) {
    const int id = static_cast<int>(reinterpret_cast<INT_PTR>(parameter));
    pthread_once(&once, CountOnceRun);
    for (int i = 0; i < kRounds; ++i) {
        const std::string mine = std::to_string(id) + ":" + std::to_string(i);
        try {
            try {
                throw std::runtime_error(mine);
            } catch (const std::exception&) {
                throw; // a rethrow reads the thread's own caught-exception stack
            }
        } catch (const std::exception& error) {
            if (mine != error.what())
                InterlockedIncrement(&wrongCatches);
        }
        pthread_mutex_lock(&counterLock);
        const long seen = counter;
        SwitchToThread(); // a lost update shows when the lock does not exclude
        counter = seen + 1;
        pthread_mutex_unlock(&counterLock);
    }
    if (id % 2 == 0) // only these threads end holding a value
        pthread_setspecific(key, parameter);
    return 0;
}

} // namespace

int main() {
    if (pthread_key_create(&key, CountDestructorRun) != 0) {
        std::puts("pthread_key_create failed");
        return 1;
    }
    HANDLE threads[kThreads];
    for (int id = 0; id < kThreads; ++id)
        threads[id] = CreateThread(nullptr, 0, Work, reinterpret_cast<void*>(INT_PTR{id + 1}), 0, nullptr);
    WaitForMultipleObjects(kThreads, threads, TRUE, INFINITE);
    for (HANDLE thread : threads)
        CloseHandle(thread);

    struct Check {
        const char* what;
        long seen, expected;
    } const checks[] = {
        {"exceptions caught by another thread than threw them", wrongCatches, 0},
        {"increments under the mutex", counter, long{kThreads} * kRounds},
        {"runs of the once-routine", onceRuns, 1},
        {"destructor runs (threads that ended holding a value)", destructorRuns, kThreads / 2},
    };
    int failures = 0;
    for (const Check& check : checks)
        if (check.seen != check.expected) {
            std::printf("%s: %ld, expected %ld\n", check.what, check.seen, check.expected);
            ++failures;
        }
    return failures;
}
