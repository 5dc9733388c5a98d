#pragma once

// How long and how much a paste waits for and reads from the program that holds the
// clipboard (or the PRIMARY selection), whatever the display's protocol: a program that
// does not answer, stalls or sends without end must not hold up the calculator.

#include <chrono>
#include <cstddef>

// How long the owner may take to answer the request, and then to send each piece; and how
// long a whole transfer may take, however steadily the pieces come.
constexpr auto SelectionAnswerWait = std::chrono::milliseconds(1000);
constexpr auto SelectionTransferWait = std::chrono::milliseconds(5000);

// The largest text a paste reads; a larger one is refused.
constexpr std::size_t LargestClipboardText = 4 * 1024 * 1024;
