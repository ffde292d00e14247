// Test helper: bytes and allocations placed right before an unreadable page (see page_end.h).
#include "page_end.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>
#include <unistd.h>

namespace {

std::size_t pageSize() {
    static const std::size_t size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return size;
}

// Maps whole pages for `bytes` bytes plus one unreadable page after them; returns the start of
// the unreadable page, or nullptr.
char* mapWithGuard(std::size_t bytes, char*& base, std::size_t& length) {
    const std::size_t page = pageSize();
    const std::size_t dataPages = bytes == 0 ? 1 : (bytes + page - 1) / page;
    length = (dataPages + 1) * page;
    void* m = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) {
        return nullptr;
    }
    base = static_cast<char*>(m);
    char* guard = base + dataPages * page;
    if (mprotect(guard, page, PROT_NONE) != 0) {
        munmap(base, length);
        return nullptr;
    }
    return guard;
}

// The blocks handed out at a page end and not yet freed. A fixed table: the allocator cannot
// allocate for itself. Tests run on one thread; the flag only guards against surprises.
struct Block {
    void* user;
    char* base;
    std::size_t length;
};
constexpr std::size_t kMaxBlocks = 1 << 16;
Block blocks[kMaxBlocks];
std::size_t blockCount = 0;
std::atomic_flag busy = ATOMIC_FLAG_INIT;
std::atomic<int> scopes{0};

struct Lock {
    Lock() {
        while (busy.test_and_set(std::memory_order_acquire)) {
        }
    }
    ~Lock() { busy.clear(std::memory_order_release); }
};

// A block of `size` bytes whose end is the start of an unreadable page. Its address is as aligned
// as `size` allows (the lowest set bit of the size), which is all an object of that size needs.
void* allocateAtPageEnd(std::size_t size) {
    char* base = nullptr;
    std::size_t length = 0;
    char* guard = mapWithGuard(size, base, length);
    if (guard == nullptr) {
        return nullptr;
    }
    Lock lock;
    if (blockCount == kMaxBlocks) {
        std::fputs("page_end: too many live blocks\n", stderr);
        std::abort();
    }
    void* user = guard - size;
    blocks[blockCount++] = Block{user, base, length};
    return user;
}

// Frees a block of ours and returns true, or returns false for a block that malloc gave.
bool freeAtPageEnd(void* p) {
    char* base = nullptr;
    std::size_t length = 0;
    {
        Lock lock;
        for (std::size_t i = blockCount; i-- > 0;) {
            if (blocks[i].user == p) {
                base = blocks[i].base;
                length = blocks[i].length;
                blocks[i] = blocks[--blockCount];
                break;
            }
        }
    }
    if (base == nullptr) {
        return false;
    }
    munmap(base, length);
    return true;
}

void* allocate(std::size_t size) {
    void* p = scopes.load() > 0 ? allocateAtPageEnd(size) : std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}

void release(void* p) {
    if (p != nullptr && !freeAtPageEnd(p)) {
        std::free(p);
    }
}

} // namespace

PageEnd::PageEnd(std::size_t capacity) : base_(nullptr), length_(0) {
    end_ = mapWithGuard(capacity, base_, length_);
    if (end_ == nullptr) {
        std::fputs("page_end: cannot map\n", stderr);
        std::abort();
    }
}

PageEnd::~PageEnd() {
    munmap(base_, length_);
}

const char* PageEnd::place(const char* bytes, std::size_t n) {
    char* start = end_ - n;
    if (start < base_) {
        std::fputs("page_end: more bytes than the capacity\n", stderr);
        std::abort();
    }
    std::memcpy(start, bytes, n);
    return start;
}

PageEndAllocations::PageEndAllocations() {
    ++scopes;
}

PageEndAllocations::~PageEndAllocations() {
    --scopes;
}

void* operator new(std::size_t size) {
    return allocate(size);
}

void* operator new[](std::size_t size) {
    return allocate(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete(void* p) noexcept {
    release(p);
}

void operator delete[](void* p) noexcept {
    release(p);
}

void operator delete(void* p, std::size_t) noexcept {
    release(p);
}

void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept {
    release(p);
}

void operator delete[](void* p, const std::nothrow_t&) noexcept {
    release(p);
}
