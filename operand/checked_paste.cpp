#include "operand/checked_paste.h"

#include "operand/keystroke_rules.h"
#include "platform/text/clipboard.h"

#include <cstddef>
#include <optional>
#include <string>

namespace {

bool IsWhiteSpace(char character) {
    return character == ' ' || (character >= '\t' && character <= '\r');
}

bool IsDigitOf(DigitBase base, unsigned code) {
    if (base == DigitBase::Binary)
        return IsBinaryDigit(code);
    return IsDecimalDigit(code) || IsUpperHexLetter(code) || IsLowerHexLetter(code);
}

char UpperCase(char character) {
    const auto code = static_cast<unsigned char>(character);
    return IsLowerHexLetter(code) ? static_cast<char>(code - 0x20) : character;
}

bool HasHexPrefix(const std::string& text, std::size_t begin, std::size_t end) {
    return end - begin >= 2 && text[begin] == '0' &&
           (text[begin + 1] == 'x' || text[begin + 1] == 'X');
}

} // namespace

LRESULT PasteCheckedDigits(HWND field, DigitBase base) {
    std::optional<std::string> clipboard = ReadClipboardText();
    if (!clipboard)
        return RefuseKeystroke();
    std::string& text = *clipboard;

    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsWhiteSpace(text[begin]))
        ++begin;
    while (end > begin && IsWhiteSpace(text[end - 1]))
        --end;
    if (base == DigitBase::Hexadecimal && HasHexPrefix(text, begin, end))
        begin += 2;
    if (begin == end)
        return RefuseKeystroke();
    // Room first: a megabyte pasted into an eight-digit field is refused without reading it.
    if (static_cast<long long>(end - begin) > RemainingRoom(field))
        return RefuseKeystroke();

    for (std::size_t index = begin; index < end; ++index) {
        if (!IsDigitOf(base, static_cast<unsigned char>(text[index])))
            return RefuseKeystroke();
        text[index] = UpperCase(text[index]);
    }

    text.resize(end);
    ForwardToEdit(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str() + begin));
    return 0;
}
