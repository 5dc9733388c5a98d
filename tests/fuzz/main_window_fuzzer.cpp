// libFuzzer target over the whole main window: the input is a sequence of user and
// desktop actions (user_actions.h) played into the real main window on the headless
// backend, with every rule of window_invariants.h checked after each action.

#include "byte_source.h"
#include "user_session.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputBytes input({data, size});
    RunSession(input);
    return 0;
}
