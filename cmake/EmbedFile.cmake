# Writes INPUT's bytes as `extern const std::span<const std::uint8_t> SYMBOL`.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" length)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}
"#include <cstdint>\n#include <span>\n"
"namespace { const std::uint8_t bytes[] = {\n${bytes}\n}; }\n"
"extern const std::span<const std::uint8_t> ${SYMBOL};\n"
"const std::span<const std::uint8_t> ${SYMBOL}{bytes, sizeof bytes};\n")
