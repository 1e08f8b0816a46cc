#pragma once
// Hot loops built more than once on x86-64, for a newer vector unit as well as the
// baseline, the best chosen when the program loads. Every build gives the same bits.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define GLINTWAKE_CLONES(target) __attribute__((target_clones(target, "default")))
#else
#define GLINTWAKE_CLONES(target)
#endif
