#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "core/Convert.h"
#include "core/Exception.h"

namespace {

using namespace std::string_view_literals;

std::string ExpectedMessage(std::string_view text) {
    std::string message = "'";
    message.append(text);
    message.append("' is not a valid integer value");
    return message;
}

// Runs the conversion and returns the value, or nothing when it raised EConvertError; the message
// of a rejection is checked here so that every caller checks it.
std::optional<std::int32_t> Convert(std::string_view text) {
    try {
        return TextToInteger(text);
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), ExpectedMessage(text));
        return std::nullopt;
    }
}

// The same rules written a second way: split the text with standard-library searches, read the
// digits with std::from_chars into 64 bits and range-check the finished number.
std::optional<std::int32_t> Reference(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = text.substr(start);
    bool negative = false;
    if (rest.starts_with('-') || rest.starts_with('+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    int base = 10;
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        base = 16;
        rest.remove_prefix(1);
    } else if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        rest.remove_prefix(2);
    }
    const std::string_view digits = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
    if (rest.empty() || rest.find_first_not_of(digits) != std::string_view::npos)
        return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, base);
    if (error != std::errc() || end != rest.data() + rest.size())
        return std::nullopt; // more digits than 64 bits hold
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFu)
            return std::nullopt;
        const auto pattern = static_cast<std::uint32_t>(magnitude);
        return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    }
    if (magnitude > 0xFFFFFFFFu)
        return std::nullopt; // also keeps the signed 64-bit value below from wrapping
    const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

TEST(TextToInteger, AcceptsDecimalAndHexadecimalForms) {
    const struct {
        std::string_view text;
        std::int32_t value;
    } cases[] = {
        {"5", 5},
        {"   5", 5},
        {"+7", 7},
        {"-12", -12},
        {"007", 7},
        {"012", 12},
        {"0", 0},
        {"-0", 0},
        {"$1F", 31},
        {"x1F", 31},
        {"X1f", 31},
        {"0x10", 16},
        {"0X10", 16},
        {"-$10", -16},
        {"-0x10", -16},
        {"  +$a", 10},
        {"$FFFFFFFF", -1},
        {"$80000000", std::numeric_limits<std::int32_t>::min()},
        {"$7FFFFFFF", std::numeric_limits<std::int32_t>::max()},
        {"-$80000000", std::numeric_limits<std::int32_t>::min()},
        {"-$FFFFFFFF", 1},
        {"$000000001", 1},
        {"$0000000000FFFFFFFF", -1},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"00000000002147483647", std::numeric_limits<std::int32_t>::max()},
        {"214748364", 214748364},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(Convert(c.text), c.value);
    }
}

TEST(TextToInteger, RejectsMalformedTextNamingTheWholeTextInTheMessage) {
    const std::string_view cases[] = {
        "",
        "   ",
        "5 ",
        " 5 ",
        "- 5",
        "+-5",
        "--5",
        "-",
        "+",
        "\t5",
        "5\t",
        "1.5",
        "12a",
        "$",
        "x",
        "0x",
        "-$",
        "$ 1",
        "$G",
        "0x-1",
        "$0x10",
        "00x10",
        "5-",
        "2147483648",
        "-2147483649",
        "2147483650",
        "9999999999",
        "$100000000",
        "-$100000000",
        "\xEF\xBC\x95",      // full-width five
        "1\xEF\xBC\x95",     // a digit followed by a full-width five
        "12\0" "3"sv,        // a NUL inside the text
        "\0" "5"sv,
    };
    for (const std::string_view text : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(text)));
        try {
            const std::int32_t value = TextToInteger(text);
            ADD_FAILURE() << "accepted as " << value;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), ExpectedMessage(text));
            EXPECT_STREQ(e.ClassName(), "EConvertError");
        }
    }
}

// Each text is the first `length` bytes of a buffer whose following byte would change the
// result if it were read. The bytes are copied into an allocation of exactly that length, so
// AddressSanitizer also reports any read past the end.
TEST(TextToInteger, ReadsNothingBeyondTheEndOfTheText) {
    const struct {
        std::string_view buffer;
        std::size_t length;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"1234", 3, 123},
        {"0x12", 1, 0},
        {"0x12", 3, 1},
        {"$12", 1, std::nullopt},
        {"x12", 1, std::nullopt},
        {"-5", 1, std::nullopt},
        {"+5", 1, std::nullopt},
        {" 7", 1, std::nullopt},
        {"   7", 3, std::nullopt},
        {"2147483647", 9, 214748364},
        {"$FFFFFFFF0", 9, -1},
    };
    for (const auto& c : cases) {
        const std::string_view cut = c.buffer.substr(0, c.length);
        SCOPED_TRACE(std::string(cut));
        EXPECT_EQ(Convert(cut), c.value);
        const auto exact = std::make_unique<char[]>(c.length);
        std::copy(cut.begin(), cut.end(), exact.get());
        EXPECT_EQ(Convert(std::string_view(exact.get(), c.length)), c.value);
    }
}

TEST(TextToInteger, HandlesMegabyteTexts) {
    constexpr std::size_t kMegabyte = 1 << 20;
    const struct {
        const char* what;
        std::string text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"digits overflow", std::string(kMegabyte, '9'), std::nullopt},
        {"blanks only", std::string(kMegabyte, ' '), std::nullopt},
        {"blanks have no length limit", std::string(kMegabyte, ' ') + "7", 7},
        {"leading zeros do not count", std::string(kMegabyte, '0') + "7", 7},
        {"leading hex zeros do not count", "$" + std::string(kMegabyte, '0') + "1", 1},
        {"a fault at the end", std::string(kMegabyte, '0') + " ", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Convert(c.text), c.value); // a rejection's message holds all of the text
    }
}

TEST(TextToInteger, AgreesWithPlainReferenceOnRandomShortTexts) {
    constexpr std::string_view kAlphabet = " +-$xX0123456789abcdefABCDEF.";
    std::mt19937 random(20240611); // fixed seed: a failure repeats
    int accepted = 0;
    for (int round = 0; round < 200000; ++round) {
        std::string text(random() % 9, ' ');
        for (char& c : text)
            c = kAlphabet[random() % kAlphabet.size()];
        const std::optional<std::int32_t> expected = Reference(text);
        ASSERT_EQ(Convert(text), expected) << "text '" << text << "'";
        accepted += expected.has_value();
    }
    EXPECT_GT(accepted, 5000); // the alphabet must not make almost every text invalid
}

// Numbers within a few units of the limits of each form, written with every sign and prefix and
// with leading zeros, so that each boundary is crossed many times.
TEST(TextToInteger, AgreesWithPlainReferenceNearTheRangeLimits) {
    constexpr std::string_view kSigns[] = {"", "+", "-"};
    constexpr std::string_view kPrefixes[] = {"", "", "", "$", "x", "X", "0x", "0X"};
    constexpr std::uint64_t kLimits[] = {0, 214748364, 2147483647, 2147483648, 0x0FFFFFFF, 0xFFFFFFFF,
                                         0x100000000, 21474836470};
    std::mt19937 random(7);
    int accepted = 0, rejected = 0;
    for (int round = 0; round < 100000; ++round) {
        const std::string_view prefix = kPrefixes[random() % std::size(kPrefixes)];
        const int base = prefix.empty() ? 10 : 16;
        const std::uint64_t magnitude = kLimits[random() % std::size(kLimits)] + random() % 7 - 3;
        char digits[32];
        const auto written = std::to_chars(std::begin(digits), std::end(digits), magnitude, base);
        std::string text(random() % 3, ' ');
        text += kSigns[random() % std::size(kSigns)];
        text += prefix;
        text.append(random() % 3, '0');
        for (const char* d = digits; d != written.ptr; ++d)
            text += random() % 2 ? *d : static_cast<char>(std::toupper(static_cast<unsigned char>(*d)));
        const std::optional<std::int32_t> expected = Reference(text);
        ASSERT_EQ(Convert(text), expected) << "text '" << text << "'";
        (expected ? accepted : rejected) += 1;
    }
    EXPECT_GT(accepted, 20000);
    EXPECT_GT(rejected, 20000);
}

TEST(IntegerToText, WritesPlainDecimalThatReadsBackUnchanged) {
    const struct {
        std::int32_t value;
        std::string_view text;
    } cases[] = {
        {0, "0"},
        {7, "7"},
        {-12, "-12"},
        {86399, "86399"},
        {std::numeric_limits<std::int32_t>::max(), "2147483647"},
        {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntegerToText(c.value), c.text);
        EXPECT_EQ(TextToInteger(IntegerToText(c.value)), c.value);
    }
    EXPECT_EQ(UnsignedToText(0), "0");
    EXPECT_EQ(UnsignedToText(std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");
}

} // namespace
