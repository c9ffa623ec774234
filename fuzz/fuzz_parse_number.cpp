// SPDX-License-Identifier: MIT
// Any text typed into a box: read as a number, then written back as label text.

#include "conversions.h"
#include "fuzz_input.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RunAllowingFault([&] {
        const double value = ParseNumber(text);
        RequireFinite(value);
        // What is read again from its own general text is the same number to 15 digits.
        const std::string general = FormatGeneral(value);
        if (FormatGeneral(ParseNumber(general)) != general)
            std::abort();
        for (const char* pattern : {"0.00", "0.000", "0.000000"})
            if (FormatFixed(value, pattern).empty())
                std::abort();
        if (const auto rounded = RoundToInt32(value); rounded && std::abs(*rounded - value) > 0.5)
            std::abort();
    });
    return 0;
}
