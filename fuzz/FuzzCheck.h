#pragma once
// A broken property stops the fuzzer on the input that broke it, in every build type.
inline void check(bool condition) {
    if (!condition) __builtin_trap();
}
