#pragma once
#include <cstdarg>
#include <cstddef>

constexpr std::size_t MessageTextSize = 1024;

// Formats a report into at most MessageTextSize - 1 characters, always terminated.
void FormatMessageText(char* out, const char* format, va_list args);
