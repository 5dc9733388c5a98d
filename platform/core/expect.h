#pragma once

// KALVETRA_EXPECT(condition): an invariant that only a fault of our own can break. It yields
// the condition, so the caller can still take a safe way out; in the checked builds (tests,
// sanitizers, fuzzing: every build without NDEBUG) a broken one also prints where it broke
// and aborts, so that it cannot pass unseen.
//
//     if (!KALVETRA_EXPECT(system.backend != nullptr))
//         return nullptr;

#define KALVETRA_EXPECT(condition)                                                                 \
    (static_cast<bool>(condition) || ExpectationBroken(#condition, __FILE__, __LINE__))

// Reports a broken expectation; returns false in a build without checks, aborts otherwise.
bool ExpectationBroken(const char* condition, const char* file, int line);
