#include "convert/octal_text.h"

void FormatOctal(std::uint32_t value, char (&scratch)[OctalScratchSize]) {
    for (char& character : scratch)
        character = '\0';
    int length = 0;
    do {
        scratch[length++] = static_cast<char>('0' + value % 8);
        value /= 8;
    } while (value >= 8);
    scratch[length] = static_cast<char>('0' + value);
}
