#include "common/message_text.h"

#include <cstdio>

void FormatMessageText(char* out, const char* format, va_list args) {
    if (std::vsnprintf(out, MessageTextSize, format, args) < 0)
        out[0] = '\0';
}
