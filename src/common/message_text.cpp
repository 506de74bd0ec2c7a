#include "common/message_text.h"

#include <cstdio>

void FormatMessageText(char* out, const char* format, va_list args) {
    if (std::vsnprintf(out, MessageTextSize, format, args) < 0)
        out[0] = '\0';
}

void FormatReportText(char* out, const char* sentence, const char* detailFormat, va_list args) {
    const int lead = std::snprintf(out, MessageTextSize, "%s\n\n", sentence);
    if (lead < 0) {
        out[0] = '\0';
        return;
    }
    // A sentence that fills the room leaves none for the detail.
    if (static_cast<std::size_t>(lead) >= MessageTextSize - 1)
        return;
    if (std::vsnprintf(out + lead, MessageTextSize - lead, detailFormat, args) < 0)
        out[lead] = '\0';
}
