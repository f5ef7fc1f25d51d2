// The time-of-day tick against its reference model (tests/common/TimeOfDayModel.h), over the
// sequences of readings, armings, stalls, nested ticks and failing actions the input chooses.
#include <cstddef>
#include <cstdint>

#include "fuzz/Check.h"
#include "tests/common/TimeOfDayModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t next = 0;
    // Each choice takes the next four bytes, zeros once the input runs out.
    const auto choose = [&](std::uint64_t bound) -> std::uint64_t {
        std::uint32_t word = 0;
        for (int i = 0; i < 4; ++i)
            word = word << 8 | (next < size ? data[next++] : 0);
        return bound ? word % bound : 0;
    };
    FUZZ_CHECK(todmodel::Divergence(todmodel::Generate(choose)).empty());
    return 0;
}
