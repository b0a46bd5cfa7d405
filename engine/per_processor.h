// SPDX-License-Identifier: MIT
// Functions built twice, once for a processor with newer instructions and
// once for any x86-64, with the copy picked when the program starts: the
// game runs everywhere and is quicker where it can be. Only GCC builds the
// copies; clang and the sanitizer builds get the plain function. `flatten`
// inlines everything a function calls into both copies, so the newer
// instructions reach its helpers too.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_ADDRESS__)
#define GUB_PER_PROCESSOR(target) __attribute__((target_clones(target, "default")))
#define GUB_PER_PROCESSOR_FLAT(target) __attribute__((target_clones(target, "default"), flatten))
#else
#define GUB_PER_PROCESSOR(target)
#define GUB_PER_PROCESSOR_FLAT(target)
#endif
