#include "convert/reverse_string.h"

char* ReverseString(const char* source, char* destination) {
    int length = 0;
    while ((destination[length] = source[length]) != '\0')
        ++length;
    for (int index = 0; index < length / 2; ++index) {
        const char swapped = destination[index];
        destination[index] = destination[length - 1 - index];
        destination[length - 1 - index] = swapped;
    }
    return destination;
}
