#pragma once
#include <cstdlib>

// A broken promise stops the fuzzer at once, with the input that broke it.
inline void require(bool ok)
{
    if (!ok)
        std::abort();
}
