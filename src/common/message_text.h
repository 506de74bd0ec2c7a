#pragma once
#include <cstdarg>
#include <cstddef>

constexpr std::size_t MessageTextSize = 1024;

// Formats a report into at most MessageTextSize - 1 characters, always terminated.
void FormatMessageText(char* out, const char* format, va_list args);
// A report as the user reads it: what happened and what to do, a blank line, then the technical
// detail for a support question. Bounded and terminated as FormatMessageText.
void FormatReportText(char* out, const char* sentence, const char* detailFormat, va_list args);
