// Test helper: bytes placed right before an unreadable page, so that any read past them crashes.
#pragma once

#include <cstddef>

// A mapping with room for `capacity` bytes and an unreadable page after them. `place` copies bytes
// so that their last one is the last readable byte: a reader that looks one byte further stops
// the program with SIGSEGV, in the plain build as in the sanitized one.
class PageEnd {
  public:
    explicit PageEnd(std::size_t capacity);
    ~PageEnd();
    PageEnd(const PageEnd&) = delete;
    PageEnd& operator=(const PageEnd&) = delete;

    // The copy of the n bytes at `bytes`, ending at the unreadable page (n at most the capacity).
    const char* place(const char* bytes, std::size_t n);

  private:
    char* base_;
    std::size_t length_;
    char* end_;
};

// While one of these lives, every block the program takes through operator new (the readers' own
// copies, the XML parser's strings and nodes) ends where a page ends, with an unreadable page
// after it. Defined in page_end.cpp, which replaces operator new and delete of the test program
// that links it; outside such a scope they hand the work to malloc and free.
class PageEndAllocations {
  public:
    PageEndAllocations();
    ~PageEndAllocations();
    PageEndAllocations(const PageEndAllocations&) = delete;
    PageEndAllocations& operator=(const PageEndAllocations&) = delete;
};
