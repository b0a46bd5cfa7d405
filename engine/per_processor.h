// SPDX-License-Identifier: MIT
// Functions built more than once, for processors with newer instructions
// (the targets given, best first) and for any x86-64, with the copy picked
// when the program starts: the game runs everywhere and is quicker where it
// can be. Only GCC builds the copies; clang and the sanitizer builds get the
// plain function. `flatten` inlines everything a function calls into each
// copy, so the newer instructions reach its helpers too.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_ADDRESS__)
#define GUB_PER_PROCESSOR(...) __attribute__((target_clones(__VA_ARGS__, "default")))
#define GUB_PER_PROCESSOR_FLAT(...) __attribute__((target_clones(__VA_ARGS__, "default"), flatten))
#else
#define GUB_PER_PROCESSOR(...)
#define GUB_PER_PROCESSOR_FLAT(...)
#endif
