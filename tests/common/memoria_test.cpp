// Memory a game frees goes back to the system: picture-sized blocks at once, the rest on request.
#include "memoria.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <vector>

// Under AddressSanitizer its own allocator replaces the C library's, and these settings mean
// nothing.
#if defined(__SANITIZE_ADDRESS__)
#define ASIGNADOR_AJENO 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ASIGNADOR_AJENO 1
#endif
#endif

namespace {

#ifdef ASIGNADOR_AJENO
constexpr bool SANITIZADO = true;
#else
constexpr bool SANITIZADO = false;
#endif

constexpr std::size_t PAGINA_MENU = 658 * 514 * 4;

long residentKib() {
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    long total = 0, resident = 0;
    if (f == nullptr || std::fscanf(f, "%ld %ld", &total, &resident) != 2)
        resident = -1;
    if (f != nullptr)
        std::fclose(f);
    return resident * 4;
}

} // namespace

// Left alone, the allocator would put the second page of a size it has freed once inside the heap.
TEST(Asignador, MenuPagesGetTheirOwnMappingEveryTime) {
    if (SANITIZADO)
        GTEST_SKIP() << "the sanitizer's allocator is in use";
    ajustarAsignador();
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        const std::size_t antes = mallinfo2().hblkhd;
        char* pagina = static_cast<char*>(std::malloc(PAGINA_MENU));
        ASSERT_NE(pagina, nullptr);
        std::memset(pagina, vuelta, PAGINA_MENU);
        EXPECT_GE(mallinfo2().hblkhd, antes + PAGINA_MENU) << "round " << vuelta;
        std::free(pagina);
        EXPECT_EQ(mallinfo2().hblkhd, antes) << "round " << vuelta;
    }
}

// Blocks freed below one still in use cannot shrink the heap from its top; their pages are given
// back all the same once asked.
TEST(Asignador, FreePagesInsideTheHeapAreGivenBack) {
    if (SANITIZADO)
        GTEST_SKIP() << "the sanitizer's allocator is in use";
    ajustarAsignador();
    std::vector<char*> bloques;
    for (int i = 0; i < 256; ++i) {
        bloques.push_back(static_cast<char*>(std::malloc(64 * 1024)));
        ASSERT_NE(bloques.back(), nullptr);
        std::memset(bloques.back(), 1, 64 * 1024);
    }
    for (std::size_t i = 0; i + 1 < bloques.size(); ++i)
        std::free(bloques[i]);
    const long lleno = residentKib();
    devolverMemoriaLibre();
    EXPECT_LT(residentKib(), lleno - 8 * 1024);
    std::free(bloques.back());
}
