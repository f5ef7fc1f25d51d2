// TextToInteger against the plain reference reading of the same rules: the same texts taken, the
// same values, and every refusal an EConvertError that quotes the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Convert.h"
#include "core/Exception.h"
#include "fuzz/Check.h"
#include "fuzz/ReferenceInteger.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto expected = reference::ReadInteger(text);
    try {
        const std::int32_t value = TextToInteger(text);
        FUZZ_CHECK(expected.has_value());
        FUZZ_CHECK(value == *expected);
        // Integer-to-text gives a text that reads back as the same value.
        FUZZ_CHECK(TextToInteger(IntegerToText(value)) == value);
    } catch (const EConvertError& error) {
        FUZZ_CHECK(!expected.has_value());
        FUZZ_CHECK(error.Message() == "'" + std::string(text) + "' is not a valid integer value");
    }
    return 0;
}
