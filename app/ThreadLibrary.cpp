// The eight thread functions that the C++ runtime of the shipped exe calls, on Windows' own
// primitives. The runtime locks its emergency exception memory with a mutex and keeps each
// thread's exception state in a per-thread slot that it creates once; nothing else of the
// program uses threads. With these defined here, the linker takes none of the thread library,
// whose thread, condition and read-write-lock parts (about 26 KB, an eighth of the exe) come
// along with the first of its functions. Only the exe has them: the tests' framework and
// helpers start threads and link the library itself. A link error "multiple definition of
// pthread_..." means that new code uses more of the library: then drop this file rather than
// grow it.
#include <windows.h>

#include <pthread.h>

namespace {

// A mutex is one SRW lock in the pointer-sized pthread_mutex_t. A statically initialised mutex
// holds -1, which no SRW lock state can be (its waiters' address has the top bit clear), so the
// first user turns it into the unlocked state.
SRWLOCK* LockOf(pthread_mutex_t* mutex) {
    static_assert(sizeof(pthread_mutex_t) == sizeof(SRWLOCK));
    InterlockedCompareExchangePointer(reinterpret_cast<void**>(mutex), nullptr,
                                      reinterpret_cast<void*>(PTHREAD_MUTEX_INITIALIZER));
    return reinterpret_cast<SRWLOCK*>(mutex);
}

// A key's destructor runs when a thread ends holding a value in the key. Windows hands the
// callback of a fiber-local slot only the value, so each slot has a callback of its own that
// knows its destructor. The runtime makes one key.
constexpr int kMaxKeys = 4;
void (*destructors[kMaxKeys])(void*);
int keysMade = 0;

template <int N>
void WINAPI EndOfThread(void* value) {
    if (value != nullptr && destructors[N] != nullptr)
        destructors[N](value);
}

constexpr PFLS_CALLBACK_FUNCTION kEndOfThread[kMaxKeys] = {EndOfThread<0>, EndOfThread<1>,
                                                          EndOfThread<2>, EndOfThread<3>};

} // namespace

extern "C" {

int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t*) {
    *mutex = 0; // SRWLOCK_INIT
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t*) { return 0; } // an SRW lock holds nothing to free

int pthread_mutex_lock(pthread_mutex_t* mutex) {
    AcquireSRWLockExclusive(LockOf(mutex));
    return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* mutex) {
    ReleaseSRWLockExclusive(LockOf(mutex));
    return 0;
}

// pthread_once_t is too small for an INIT_ONCE, so all once-routines share one lock; the
// runtime's only one creates the per-thread slot and calls no other once-routine.
int pthread_once(pthread_once_t* once, void (*routine)()) {
    static SRWLOCK lock = SRWLOCK_INIT;
    if (InterlockedCompareExchange(once, 0, 0) != 0)
        return 0;
    AcquireSRWLockExclusive(&lock);
    if (*once == 0) {
        routine();
        InterlockedExchange(once, 1);
    }
    ReleaseSRWLockExclusive(&lock);
    return 0;
}

// Fiber-local slots, because those, unlike TlsAlloc's, call back when a thread ends.
int pthread_key_create(pthread_key_t* key, void (*destructor)(void*)) {
    static SRWLOCK lock = SRWLOCK_INIT;
    AcquireSRWLockExclusive(&lock);
    int result = EAGAIN;
    if (keysMade < kMaxKeys) {
        const DWORD slot = FlsAlloc(kEndOfThread[keysMade]);
        if (slot != FLS_OUT_OF_INDEXES) {
            destructors[keysMade++] = destructor;
            *key = slot;
            result = 0;
        }
    }
    ReleaseSRWLockExclusive(&lock);
    return result;
}

void* pthread_getspecific(pthread_key_t key) { return FlsGetValue(key); }

int pthread_setspecific(pthread_key_t key, const void* value) {
    return FlsSetValue(key, const_cast<void*>(value)) ? 0 : ENOMEM;
}

} // extern "C"
